#pragma once

#include <QColor>

class QGroupBox;
class QLabel;
class TTransparentButton;

// The look shared by the comparison windows' controls.
namespace qv::benchui {

// The bars of a comparison chart: the reference rows, and the result measured here.
inline const QColor kReferenceBarColour{120, 120, 170};
inline const QColor kMeasuredBarColour{200, 40, 40};

// The family title above a chart: bold, underlined, dark blue.
void styleChartCaption(QLabel& caption);
// The small grey line that explains the chart's labels.
void styleChartLegend(QLabel& legend);
// A button that shows a chart page: navy bold text beside its glyph.
void stylePageButton(TTransparentButton& button);
// The "Compare to" frame and the family buttons in it.
void styleCompareGroup(QGroupBox& group);

} // namespace qv::benchui
