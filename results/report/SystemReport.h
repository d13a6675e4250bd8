#pragma once

#include "results/report/Report.h"

namespace qv::cli {

// The operating-system texts, as "sys" prints them. The colour count needs a graphical application;
// without one it is null.
Report systemReport();

} // namespace qv::cli
