// What the picture libraries say while they decode.  Qt's readers report damaged data as
// warnings (a JPEG cut short decodes, grey at the end, with a warning only); libpng and libtiff
// print their errors on the standard error themselves.  While a LibraryMessages lives, the
// warnings of its own thread are counted instead of shown, and the standard error of the
// process is sent nowhere, so that none of this reaches the terminal: the program says what
// became of the picture in its own words.  Output meant for the terminal while pictures are
// decoded (another thread's) goes to a descriptor of its own (TerminalErrorDescriptor).
#pragma once

class LibraryMessages {
public:
    LibraryMessages();
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

    // True when the readers warned on this thread since the object was made.
    bool Warned() const { return m_nWarnings > 0; }

private:
    friend void CountWarning(LibraryMessages& watch);
    int m_nWarnings = 0;
    LibraryMessages* m_pOuter = nullptr;
};

// A descriptor of the standard error as it was before any decoding silenced it, for the
// program's own messages; the same for the whole process.
int TerminalErrorDescriptor();
