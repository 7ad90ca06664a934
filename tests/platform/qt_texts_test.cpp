#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>

#include "platform/qt_texts.h"

// Qt's own file dialog speaks Japanese once the translation is installed: its labels are
// taken from the translation, not left in English.
TEST(QtTexts, FileDialogLabelsAreJapanese) {
    ASSERT_TRUE(InstallQtJapaneseTexts());
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("開く(&O)"));
    QFileDialog dialog(nullptr, QString(), QString());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    bool japaneseLabel = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        japaneseLabel |= label->text().contains(QStringLiteral("ファイル"));
    EXPECT_TRUE(japaneseLabel);
}
