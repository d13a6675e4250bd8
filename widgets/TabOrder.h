#pragma once

class QWidget;

namespace qv::widgets {

// Chains the Tab order of `window`'s controls in the order they are seen: the children of each container
// top to bottom, then left to right, and a container's controls before those of the next one. In a group
// of exclusive radio buttons only the checked one is a Tab stop, so Tab lands on the choice made; the
// arrow keys move within the group. Safe to call again after the window changed.
void orderTabsVisually(QWidget& window);

} // namespace qv::widgets
