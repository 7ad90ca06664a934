#include "play/puzzle_collection.h"

#include <QCoreApplication>
#include <QFile>

#include "formats/puzzle_file.h"

namespace {

constexpr int kDifficulties = 5;

const char* const kThemes[] = {
    QT_TRANSLATE_NOOP("PuzzleCollection", "雲"), QT_TRANSLATE_NOOP("PuzzleCollection", "島"),
    QT_TRANSLATE_NOOP("PuzzleCollection", "森"), QT_TRANSLATE_NOOP("PuzzleCollection", "波"),
    QT_TRANSLATE_NOOP("PuzzleCollection", "岩"), QT_TRANSLATE_NOOP("PuzzleCollection", "湖"),
    QT_TRANSLATE_NOOP("PuzzleCollection", "花"), QT_TRANSLATE_NOOP("PuzzleCollection", "星"),
    QT_TRANSLATE_NOOP("PuzzleCollection", "山"), QT_TRANSLATE_NOOP("PuzzleCollection", "砂"),
    QT_TRANSLATE_NOOP("PuzzleCollection", "霧"), QT_TRANSLATE_NOOP("PuzzleCollection", "氷"),
};

}  // namespace

std::vector<CollectionPuzzle> LoadPuzzleCollection() {
    std::vector<CollectionPuzzle> collection;
    int number = 0;
    for (const char* theme : kThemes) {
        for (int difficulty = 1; difficulty <= kDifficulties; ++difficulty) {
            QFile file(
                QStringLiteral(":/collection/%1.non").arg(++number, 2, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            PuzzleReadResult read =
                ReadPuzzleText(file.readAll().toStdString(), PuzzleFileFormat::kNon);
            if (!read.ok)
                continue;
            const QString title = QCoreApplication::translate("PuzzleCollection", theme) +
                                  QLatin1Char(' ') + QString::number(difficulty);
            read.puzzle.title = title.toStdString();
            collection.push_back({title, difficulty, std::move(read.puzzle)});
        }
    }
    return collection;
}
