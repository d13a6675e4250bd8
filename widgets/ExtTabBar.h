#pragma once

#include <QTabBar>

class TExtPageControl;

// The tab strip of an extended page control: sizes its tabs from the control's settings and leaves all
// drawing, hot-tracking, hints and help to the control.
class ExtTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit ExtTabBar(TExtPageControl* control);

    // The rectangle of tab `index` as the strip holds it (smaller than a selected tab's rectangle).
    QRect stripRect(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TExtPageControl* m_control;
};
