#pragma once

#include "hardware/DrivesCollector.h"

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace qv::hardwareui {

// A tree of volumes under the column titles of the drives window, a usage bar in the last column of
// each mounted one.
QTreeWidget* volumeTree(QWidget* parent);

// Replaces the tree's rows by `volumes`, each with the volumes built on it below.
void showVolumes(QTreeWidget& tree, const std::vector<hardware::BlockVolume>& volumes);

} // namespace qv::hardwareui
