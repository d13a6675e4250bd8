#include "forms/QvDialog.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "widgets/TabOrder.h"

#include <QKeyEvent>

namespace qv::look {

QvDialog::QvDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    applyDialogLook(*this);
}

void QvDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    widgets::orderTabsVisually(*this);
    platform::guarded([this] { FormActivate(); });
}

namespace {

// The button a key stands for, when it is there to be pressed.
TTransparentButton* pressable(TTransparentButton* button)
{
    return button && button->isVisible() && button->isEnabled() ? button : nullptr;
}

} // namespace

void QvDialog::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    TTransparentButton* button = nullptr;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        button = widgets::defaultButton(this);
    else if (plain && event->key() == Qt::Key_Escape)
        button = pressable(m_cancelButton);
    if (!button)
        return QDialog::keyPressEvent(event);
    event->accept();
    button->click();
}

} // namespace qv::look
