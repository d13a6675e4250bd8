#pragma once

class QWidget;

namespace qv::resultsui {

// The look the results and report windows share with the program's own windows: dialog colours, Arial.
void applyWindowLook(QWidget& window);

} // namespace qv::resultsui
