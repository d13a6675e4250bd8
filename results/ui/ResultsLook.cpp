#include "results/ui/ResultsLook.h"

#include "forms/Look.h"
#include "widgets/TransBtn.h"

namespace qv::resultsui {

void applyWindowLook(QWidget& window)
{
    window.setFont(qv::look::arialFont(12));
    qv::look::fillBackground(window, qv::look::kDialogBackground);
}

TTransparentButton* commandButton(QWidget* parent, const QString& caption, const QString& glyph)
{
    auto* button = new TTransparentButton(parent);
    button->setCaption(caption);
    button->setGlyph(qv::look::picture(QStringLiteral(":/pictures/") + glyph));
    button->setFixedSize(115, 43);
    qv::look::styleDialogButton(*button);
    return button;
}

} // namespace qv::resultsui
