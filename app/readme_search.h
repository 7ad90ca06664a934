// Where the user guide Readme.html is looked for, so that a program started from a menu, in
// another folder than its own, still finds it.
#pragma once

#include <QString>
#include <QStringList>

// The current folder first, then the program's own folder, then the installed documentation
// folder (relative to the program, then as configured).
QStringList ReadmeFolders();

// The path of Readme.html in the first of the folders that holds it as a file; empty when none
// does.
QString FindReadme(const QStringList& folders);
