#include "app/readme_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList ReadmeFolders() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList folders{QDir::currentPath(), exeDir};
    // The documentation folder as installed beside the executable's prefix (a copy moved as a
    // whole to another prefix), then where the build was configured to install it.
    folders << QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral(NGM_DOC_DIR_FROM_BIN)));
    folders << QStringLiteral(NGM_DOC_DIR);
    folders.removeDuplicates();
    return folders;
}

QString FindReadme(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo readme(QDir(folder), QStringLiteral("Readme.html"));
        if (readme.isFile())
            return readme.absoluteFilePath();
    }
    return QString();
}
