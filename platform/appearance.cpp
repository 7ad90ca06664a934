#include "platform/appearance.h"

#include <QApplication>
#include <QPalette>

#include "platform/fonts.h"

void InstallAppearance() {
    InstallFontSubstitutions();
    // The classic style draws group-box titles on their frames, as the forms expect.
    QApplication::setStyle(QStringLiteral("Windows"));
    QPalette palette = QApplication::palette();
    const QColor face(236, 233, 216);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Light, face.lighter(115));
    palette.setColor(QPalette::Midlight, face.lighter(105));
    palette.setColor(QPalette::Mid, face.darker(130));
    palette.setColor(QPalette::Dark, QColor(172, 168, 153));
    QApplication::setPalette(palette);
}
