#pragma once

#include "results/report/SystemReport.h"
#include "tools/cli/Cli.h"

#include <QCoreApplication>

#include <memory>

namespace qv::cli {

// "sys [--json]": the system information texts, the helper functions' answers and the texts the
// operating-system window shows (its installation page as after the first page change).
Subcommand sysCommand();

// The screen's depth needs a graphical application; one is started only where a display answers and
// none exists yet, so that ColourCount is null on a headless machine instead of an abort. It comes from
// a module of its own, so that Qt Gui is loaded only then. Keep it while the system report is built.
std::unique_ptr<QCoreApplication> screenApplication();

} // namespace qv::cli
