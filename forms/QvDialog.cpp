#include "forms/QvDialog.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"

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
    platform::guarded([this] { FormActivate(); });
}

} // namespace qv::look
