// A pass over the bytes of an XML puzzle file before the XML reader sees them, linear in their
// number, that refuses what would make the reader slow or its messages wrong: an element with
// more attributes than any element of the format uses (the reader compares each attribute with
// every other one, so that a hundred thousand of them would take minutes), and bytes that are
// not UTF-8 in a file that does not name another encoding (found here with their line; the
// reader would report them at the line of its buffer's start).
#pragma once

#include <string_view>

// Attributes an element may carry: the format's elements use at most a handful.
constexpr int kMaxXmlAttributes = 64;

struct XmlPrescan {
    const char* error = nullptr;  // untranslated, in the "PuzzleFile" context; null when fine
    int line = 0;
};

XmlPrescan PrescanXml(std::string_view text);
