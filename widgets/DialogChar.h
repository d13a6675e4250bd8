#pragma once

#include <QKeySequence>
#include <QString>

class QWidget;

namespace qv::widgets {

// A control that answers the dialog characters (Alt + a letter marked with & in a caption) of its window.
class DialogCharTarget {
public:
    virtual ~DialogCharTarget() = default;
    // Acts on `key` when it is this control's character and the control may act now; true when it acted.
    virtual bool dialogChar(const QKeySequence& key) = 0;
};

// Offers `key` to the shown controls of `window` in the window's order (a parent before its children,
// siblings in the order they were made) until one acts on it. Every control that owns a character hands
// it here, so that when several captions share it the same control answers on every press. False when
// none acted.
bool dispatchDialogChar(QWidget* window, const QKeySequence& key);

// `caption` as it reads: without its accelerator marks ("&&" stays one "&").
QString withoutMnemonic(const QString& caption);

} // namespace qv::widgets
