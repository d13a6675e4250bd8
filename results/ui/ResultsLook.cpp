#include "results/ui/ResultsLook.h"

#include "forms/Look.h"

#include <QWidget>

namespace qv::resultsui {

void applyWindowLook(QWidget& window)
{
    window.setFont(qv::look::arialFont(12));
    qv::look::fillBackground(window, qv::look::kDialogBackground);
}

} // namespace qv::resultsui
