#pragma once

#include <QLabel>

// A one-line value label: a value too long for it is shown cut with "…", and its tooltip then shows the
// whole value (followed by the label's own hint, when it has one).
class TElideLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The text as it is painted.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }
    // What the tooltip shows now: the whole value when it is cut, otherwise the label's own hint.
    QString shownToolTip() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
