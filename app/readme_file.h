// Where ヘルプ → Readme finds Readme.html: the current folder first (a program started from its
// own folder), then the folder of the executable (the build tree, an unpacked copy), then the
// installed documentation folder (a program started from the desktop's menu).
#pragma once

#include <QString>
#include <QStringList>

// The folders searched, in that order.
QStringList ReadmeFolders();
// The first Readme.html in the folders, or an empty string when none has one.
QString FindReadme(const QStringList& folders);
