#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class SplashForm;
}

// The borderless title picture shown while the program creates its windows.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);
    ~TSplashForm() override;

    // Shows the window and paints it at once, before the event loop runs.
    void showAndPaint();

private:
    std::unique_ptr<Ui::SplashForm> m_ui;
};
