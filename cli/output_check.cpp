#include "cli/output_check.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/commands.h"
#include "image/native_name.h"

FileIdentity IdentityOf(const QString& name) {
    struct stat status {};
    if (::stat(NativeFromName(name).constData(), &status) != 0)
        return {};
    return {static_cast<unsigned long long>(status.st_dev),
            static_cast<unsigned long long>(status.st_ino), true};
}

std::string Printed(const QString& name) {
    return NativeFromName(name).toStdString();
}

std::vector<std::string> CheckOutputs(const std::vector<QString>& inputs,
                                      const std::vector<std::vector<QString>>& outputs) {
    std::vector<FileIdentity> inputIds;
    for (const QString& input : inputs)
        inputIds.push_back(IdentityOf(input));
    struct Claimed {
        QString clean;
        FileIdentity id;
    };
    std::vector<Claimed> claimed;  // the outputs of the inputs accepted so far
    std::vector<std::string> refusals(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::vector<Claimed> mine;
        for (const QString& output : outputs[i]) {
            const Claimed c{QDir::cleanPath(QFileInfo(output).absoluteFilePath()),
                            IdentityOf(output)};
            for (std::size_t k = 0; c.id.exists && k < inputs.size(); ++k) {
                if (c.id == inputIds[k]) {
                    refusals[i] =
                        NgmCli::tr(": 書くファイルが入力のファイルと同じなので書きません: ")
                            .toStdString() +
                        Printed(output) + " = " + Printed(inputs[k]);
                    break;
                }
            }
            const auto same = [&](const Claimed& other) {
                return other.clean == c.clean || (c.id.exists && other.id == c.id);
            };
            if (refusals[i].empty() && (std::any_of(claimed.begin(), claimed.end(), same) ||
                                        std::any_of(mine.begin(), mine.end(), same)))
                refusals[i] =
                    NgmCli::tr(": 同じ名前のファイルを前の画像が書きます: ").toStdString() +
                    Printed(output);
            if (!refusals[i].empty())
                break;
            mine.push_back(c);
        }
        if (refusals[i].empty())
            claimed.insert(claimed.end(), mine.begin(), mine.end());
    }
    return refusals;
}

QString MakeFolder(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    QString sofar = clean.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString& part : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        sofar += part;
        const QByteArray native = NativeFromName(sofar);
        struct stat status {};
        if (::mkdir(native.constData(), 0777) != 0 && errno != EEXIST)
            return QString::fromLocal8Bit(std::strerror(errno));
        if (::stat(native.constData(), &status) != 0)
            return QString::fromLocal8Bit(std::strerror(errno));
        if (!S_ISDIR(status.st_mode))
            return QString::fromLocal8Bit(std::strerror(ENOTDIR));
        sofar += QLatin1Char('/');
    }
    return QString();
}
