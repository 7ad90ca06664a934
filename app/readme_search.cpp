#include "app/readme_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList ReadmeFolders() {
    // The documentation folder is looked for beside the program's prefix first (a prefix moved
    // as a whole, or the Debian package's /usr when built for /usr/local), then where the build
    // was configured to install it.
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), program,
            QDir::cleanPath(QDir(program).filePath(QStringLiteral(NGM_DOC_DIR_FROM_BIN))),
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
