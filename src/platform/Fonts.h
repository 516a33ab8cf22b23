#pragma once
// The window designs name Windows faces; on Linux they are mapped to the
// metric-compatible Liberation faces so that texts fit the designed places.

#include <QFont>
#include <QString>

namespace platform {

// Registers the face substitutions with Qt; call once after QApplication.
void InstallFontSubstitutions();

// A font as a design names it: face ("Times New Roman", "Arial",
// "Courier New", "MS Sans Serif"), size in points, bold or not.
QFont DesignFont(const QString& face, double points, bool bold = false);

} // namespace platform
