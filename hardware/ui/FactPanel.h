#pragma once

#include "hardware/FactTexts.h"

#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace qv::hardwareui {

// Labelled facts in two columns: the label, then the value in bold, cut with "…" when it is too long.
QWidget* factGrid(const std::vector<hardware::FactLine>& lines, QWidget* parent = nullptr);

// Why facts are missing, one note a line in plain words, on a lighter panel; hidden when there are none.
QLabel* notesLabel(const std::vector<std::string>& notes, QWidget* parent = nullptr);

} // namespace qv::hardwareui
