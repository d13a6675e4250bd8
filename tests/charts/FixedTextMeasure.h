#pragma once

#include "bench/charts/ChartText.h"

namespace qv::test {

// Every character 7 units wide, every line 13 high: layouts that do not depend on installed fonts.
class FixedTextMeasure final : public charts::ChartTextMeasure {
public:
    double width(charts::TextRole, const QString& text) const override { return 7.0 * double(text.size()); }
    double lineHeight(charts::TextRole) const override { return 13; }
};

} // namespace qv::test
