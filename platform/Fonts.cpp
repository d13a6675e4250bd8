#include "platform/Fonts.h"

#include <QFont>

namespace qv::platform {

void installFontSubstitutions()
{
    const QString liberation = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(QStringLiteral("Arial"), liberation);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), liberation);
}

} // namespace qv::platform
