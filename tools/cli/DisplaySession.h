#pragma once

#include "hardware/VideoCollector.h"

#include <QCoreApplication>

#include <memory>
#include <optional>

namespace qv::cli {

// The screen needs a graphical application; one is started only where a display answers, so that a
// headless machine gets null facts instead of an abort. It comes from a module of its own, so that Qt
// Gui is loaded only then. Nothing when an application exists already or no display is usable.
std::unique_ptr<QCoreApplication> applicationForTheScreen();

// While it lives, the video collector asks the graphical module for the screens and OpenGL strings,
// where a display is usable; elsewhere they stay unknown.
class DisplaySession {
public:
    DisplaySession();

private:
    std::unique_ptr<QCoreApplication> m_application;
    std::optional<hardware::ScopedDisplayFactsSource> m_source;
};

} // namespace qv::cli
