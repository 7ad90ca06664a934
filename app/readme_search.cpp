#include "app/readme_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList ReadmeFolders() {
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(),
            QStringLiteral(NGM_DOC_DIR)};
}

QString FindReadme(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo readme(QDir(folder), QStringLiteral("Readme.html"));
        if (readme.isFile())
            return readme.absoluteFilePath();
    }
    return QString();
}
