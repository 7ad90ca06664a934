// The English translation is complete: every Japanese text in the code is marked for
// translation and has a finished English translation in i18n/.  lupdate (the tool that keeps
// the translation files) is run over the code as i18n/update.sh runs it, so that a text added
// without a translation, or written without the marking that makes it translatable, fails here
// with its file and line.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <set>
#include <vector>

#include "../support/japanese_text.h"
#include "platform/ui_language.h"

namespace {

const QString kSourceDir = QStringLiteral(NGM_SOURCE_DIR);

struct Message {
    QString context, source, translation;
    bool finished = false, gone = false;             // gone: no longer in the code
    std::vector<std::pair<QString, int>> locations;  // absolute file, line of the call
};

struct Literal {
    QString file;
    int line = 0;
    QString text;
};

// The translation files and the folders whose texts each holds (i18n/sources.txt).
std::vector<std::pair<QString, QStringList>> TranslationSets() {
    std::vector<std::pair<QString, QStringList>> sets;
    QFile list(kSourceDir + QStringLiteral("/i18n/sources.txt"));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return sets;
    for (const QString& raw : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        sets.emplace_back(line.left(colon).trimmed(),
                          line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    return sets;
}

// The text of the current element; lupdate writes control characters such as "\r" as
// <byte value="xd"/> elements inside it.
QString ReadText(QXmlStreamReader& xml) {
    QString text;
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.atEnd()) {
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            QString value = xml.attributes().value(QLatin1String("value")).toString();
            text += QChar(value.remove(0, 1).toUShort(nullptr, 16));
            xml.skipCurrentElement();
        }
    }
    return text;
}

std::vector<Message> ReadTs(const QString& path) {
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    const QDir base = QFileInfo(path).dir();
    QXmlStreamReader xml(&file);
    const auto attribute = [&](const char* name) {
        return xml.attributes().value(QLatin1String(name)).toString();
    };
    // The elements in the file's order: those of a message follow it up to the next one.
    for (QString context; !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.emplace_back().context = context;
        } else if (xml.name() == QLatin1String("location")) {
            messages.back().locations.emplace_back(
                QFileInfo(base.absoluteFilePath(attribute("filename"))).canonicalFilePath(),
                attribute("line").toInt());
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = ReadText(xml);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = attribute("type");
            messages.back().finished = type.isEmpty();
            messages.back().gone = type == "vanished" || type == "obsolete";
            messages.back().translation = ReadText(xml);
        }
    }
    std::erase_if(messages, [](const Message& m) { return m.gone; });
    // The reader stops at the first element it cannot read; every message after it would be
    // missing.  (Reading on past the root's end only reports the end of the document.)
    EXPECT_TRUE(!xml.hasError() || xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        << path.toStdString() << ":" << xml.lineNumber() << ": " << xml.errorString().toStdString();
    return messages;
}

// The string literals of a C++ file that hold Japanese, with their lines; comments, character
// literals and lines that say "untranslated:" in a comment (names that are not texts for the
// user, such as font names and the settings key) are left out.  Comments and character literals
// are matched only so that the quotes inside them are passed over.
std::vector<Literal> JapaneseLiterals(const QString& path) {
    std::vector<Literal> found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return found;
    const QString code = QString::fromUtf8(file.readAll());
    const QStringList lines = code.split(QLatin1Char('\n'));
    const QRegularExpression token(
        QStringLiteral(R"re(//[^\n]*|/\*.*?\*/|'(?:\\.|[^'\\])*'|"((?:\\.|[^"\\])*)")re"),
        QRegularExpression::DotMatchesEverythingOption);
    for (auto it = token.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString text = m.captured(1);
        text.replace(QLatin1String("\\\\"), QChar(u'\uE000'))  // an escaped backslash, for now
            .replace(QLatin1String("\\n"), QLatin1String("\n"))
            .replace(QLatin1String("\\r"), QLatin1String("\r"))
            .replace(QLatin1String("\\t"), QLatin1String("\t"))
            .replace(QLatin1String("\\\""), QLatin1String("\""))
            .replace(QChar(u'\uE000'), QLatin1Char('\\'));
        const int line =
            HasJapanese(text) ? static_cast<int>(code.left(m.capturedStart()).count(u'\n')) : -1;
        if (line >= 0 && !lines.value(line).contains(QLatin1String("untranslated:")))
            found.push_back({QFileInfo(path).canonicalFilePath(), line + 1, text});
    }
    return found;
}

// Runs lupdate over the folders into a copy of the translation file, as i18n/update.sh does but
// keeping where each text is.
std::vector<Message> UpdatedMessages(const QString& ts, const QStringList& folders,
                                     const QTemporaryDir& scratch) {
    const QString copy = scratch.filePath(ts);
    QFile::remove(copy);
    if (!QFile::copy(kSourceDir + QStringLiteral("/i18n/") + ts, copy))
        return {};
    QStringList args{QStringLiteral("-silent"), QStringLiteral("-locations"),
                     QStringLiteral("absolute"), QStringLiteral("-no-obsolete")};
    for (const QString& f : folders)
        args << kSourceDir + QLatin1Char('/') + f;
    args << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.start(QStringLiteral(NGM_LUPDATE), args);
    if (!lupdate.waitForFinished(120000) || lupdate.exitCode() != 0) {
        ADD_FAILURE() << "lupdate failed: " << lupdate.readAllStandardError().toStdString();
        return {};
    }
    return ReadTs(copy);
}

}  // namespace

TEST(Translations, EveryJapaneseTextHasAnEnglishTranslation) {
    const auto sets = TranslationSets();
    ASSERT_EQ(sets.size(), 2u);
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    for (const auto& [ts, folders] : sets) {
        const std::vector<Message> messages = UpdatedMessages(ts, folders, scratch);
        // The committed file holds nothing the code no longer has, so the .qm built from it is
        // what update.sh would make.
        std::set<std::pair<QString, QString>> inCode;
        for (const Message& m : messages)
            inCode.insert({m.context, m.source});
        for (const Message& m : ReadTs(kSourceDir + QStringLiteral("/i18n/") + ts))
            EXPECT_TRUE(inCode.count({m.context, m.source}))
                << ts.toStdString() << ": \"" << m.source.toStdString()
                << "\" is no longer in the code; run i18n/update.sh";
        for (const Message& m : messages) {
            EXPECT_TRUE(m.finished && !m.translation.isEmpty())
                << ts.toStdString() << ": no English for \"" << m.source.toStdString()
                << "\" (context " << m.context.toStdString()
                << "); run i18n/update.sh and translate";
            EXPECT_FALSE(HasJapanese(m.translation))
                << ts.toStdString() << ": the English for \"" << m.source.toStdString()
                << "\" is still Japanese";
        }
        // Every Japanese literal is inside a text lupdate found at its line or above it, no farther
        // than the text's own lines and a few more (a call spread over several lines).
        for (const QString& folder : folders) {
            QDirIterator it(kSourceDir + QLatin1Char('/') + folder,
                            {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                for (const Literal& lit : JapaneseLiterals(it.next())) {
                    bool marked = false;
                    for (const Message& m : messages)
                        for (const auto& [file, line] : m.locations)
                            marked |=
                                file == lit.file && line <= lit.line &&
                                line >= lit.line - 5 - int(m.source.count(QLatin1Char('\n'))) &&
                                m.source.contains(lit.text);
                    EXPECT_TRUE(marked) << QDir(kSourceDir).relativeFilePath(lit.file).toStdString()
                                        << ":" << lit.line << ": \"" << lit.text.toStdString()
                                        << "\" is not marked for translation (tr, translate or "
                                           "QT_TRANSLATE_NOOP)";
                }
            }
        }
    }
}

TEST(UiLanguage, OptionThenEnvironmentThenPreferredLanguages) {
    const QString f = QStringLiteral("heart.ppm");
    constexpr UiLanguage kJa = UiLanguage::Japanese, kEn = UiLanguage::English;
    const struct {
        QStringList args;
        QString forced;
        QStringList preferred;
        UiLanguage expected;
        QStringList argsLeft;
    } cases[] = {
        {{f}, {}, {"ja-JP", "ja"}, kJa, {f}},
        {{f}, {}, {"en-US"}, kEn, {f}},
        {{}, {}, {"fr-FR", "fr"}, kEn, {}},
        // The first preferred language the program speaks decides.
        {{}, {}, {"fr-FR", "ja-JP"}, kJa, {}},
        {{}, "en", {"ja-JP"}, kEn, {}},
        {{}, "ja_JP.UTF-8", {"en-US"}, kJa, {}},
        {{}, "de", {"ja-JP"}, kEn, {}},
        {{"--lang", "ja", f}, "en", {}, kJa, {f}},
        {{f, "--lang=en"}, "ja", {}, kEn, {f}},
        // After "--" every word is a file name.
        {{"--", "--lang=en"}, {}, {"ja"}, kJa, {"--", "--lang=en"}},
    };
    for (const auto& c : cases) {
        QStringList args = c.args;
        EXPECT_EQ(ChooseUiLanguage(args, c.forced, c.preferred), c.expected)
            << c.args.join(u' ').toStdString() << " / " << c.forced.toStdString();
        EXPECT_EQ(args, c.argsLeft);
    }
}
