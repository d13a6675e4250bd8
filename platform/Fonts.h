#pragma once

namespace qv::platform {

// The windows ask for "Arial" and "MS Sans Serif"; both resolve to the metric-compatible
// Liberation Sans instead of whatever wider face fontconfig would pick.
void installFontSubstitutions();

} // namespace qv::platform
