#include "platform/fonts.h"

#include <QFont>
#include <QString>

void InstallFontSubstitutions() {
    const QString mincho = QStringLiteral("IPAPMincho");
    const QString gothic = QStringLiteral("IPAPGothic");
    QFont::insertSubstitution(QStringLiteral("MS P明朝"), mincho);     // untranslated: font name
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), mincho);  // untranslated: font name
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), gothic);
    QFont::insertSubstitution(QStringLiteral("MS Shell Dlg"), gothic);
    QFont::insertSubstitution(QStringLiteral("System"), gothic);
}

int SubstituteStretch(const QString& face) {
    if (face == QStringLiteral("MS P明朝") ||   // untranslated: font name
        face == QStringLiteral("ＭＳ Ｐ明朝"))  // untranslated: font name
        return 83;
    return 100;
}
