#include "forms/QvDialog.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "widgets/TabOrder.h"

#include <QHBoxLayout>
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

QHBoxLayout* QvDialog::helpAndCloseButtons(const std::function<void()>& onHelp)
{
    auto* help = commandButton(this, QStringLiteral("&Help"), QStringLiteral("btn_help.png"));
    auto* close = commandButton(this, QStringLiteral("&Close"), QStringLiteral("btn_close.png"));
    connect(help, &TTransparentButton::clicked, this, onHelp);
    connect(close, &TTransparentButton::clicked, this, &QWidget::close);
    setDefaultButton(close);
    setCancelButton(close);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(help);
    row->addWidget(close);
    return row;
}

} // namespace qv::look
