// The window designs name Windows faces that a Linux desktop does not have.
// Qt would pick an arbitrary fallback with other metrics and the texts would
// no longer fit the designed positions, so the names are mapped to the
// metric-compatible Liberation faces.

#include "platform/Fonts.h"

namespace platform {

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

QFont DesignFont(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPointSizeF(points); // designs use sizes such as 8.25, 9.75 and 10.5
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

} // namespace platform
