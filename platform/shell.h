// File choosers and the desktop's "open" of a document, each with a hook that tests replace so
// that no modal window blocks them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct FileDialogRequest {
    bool save = false;  // save dialog rather than open dialog
    QString caption;
    QString filter;         // Qt filter string: "Name (*.a *.b);;All (*)"
    QString defaultSuffix;  // without the dot; a save dialog takes that of the chosen type
    QString fileName;       // the name first offered, empty for none
};

// Returns the chosen path, or an empty string when the user cancelled.
QString RunFileDialog(QWidget* parent, const FileDialogRequest& request);
using FileDialogHook = std::function<QString(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Opens a file (relative to the current directory) with the desktop's viewer; false when the
// file does not exist or nothing could open it.
bool ShellOpenFile(const QString& relativePath);
using ShellOpenHook = std::function<bool(const QString& absolutePath)>;
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);
