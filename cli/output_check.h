// What the command line checks before it writes: that no file written is one of the command's
// own inputs (by identity, whatever names lead to it), that no two outputs of a batch are the
// same file, and the folder the outputs go to.
#pragma once

#include <QString>
#include <string>
#include <vector>

// A file's identity on the system: its device and inode.  None for a name with no file.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool exists = false;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const QString& name);

// The outputs of each input of a batch, checked in order.  Gives for each input the reason its
// outputs may not be written (for standard error, after the input's name), or an empty string.
// An output that is an input (any input of the batch), or that an earlier input writes, is
// refused; names are compared once made absolute and clean, existing files by identity.
std::vector<std::string> CheckOutputs(const std::vector<QString>& inputs,
                                      const std::vector<std::vector<QString>>& outputs);

// Makes the folder and those above it.  Returns an empty string, or why it could not.
QString MakeFolder(const QString& path);

// A name for the terminal: its own bytes.
std::string Printed(const QString& name);
