#pragma once

#include <QString>

class QWidget;
class TTransparentButton;

namespace qv::resultsui {

// The look the results and report windows share with the program's own windows: dialog colours, Arial.
void applyWindowLook(QWidget& window);

// A command button of 115 × 43 with a caption and one of the program's glyph pictures.
TTransparentButton* commandButton(QWidget* parent, const QString& caption, const QString& glyph);

} // namespace qv::resultsui
