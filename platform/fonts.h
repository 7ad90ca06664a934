// Maps the font faces the program names onto the IPA fonts installed on Linux.
#pragma once

#include <QString>

// Installs the substitutions "MS P明朝" -> IPAPMincho, "MS UI Gothic" / "MS Shell Dlg" /
// "System" -> IPAPGothic.  Call once after the application object exists.
void InstallFontSubstitutions();

// Horizontal stretch (percent) that gives a substituted face the character widths of the face
// it stands in for: the proportional Mincho's digits are half an em wide, the IPA font's are
// wider.  100 for every other face.
int SubstituteStretch(const QString& face);
