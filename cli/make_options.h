// ngm-cli make's words: the options read into one value, and the pictures they name, folders
// opened into the pictures they hold.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "formats/puzzle_export.h"

// N, or W x H written "WxH" (also with "X" or "×"), each 1..99: the block counts of make and
// the size of generate.
bool ParseBlocks(const std::string& text, BlockChoice& choice);

struct MakeOptions {
    BlockChoice blocks = BlockChoice::Square(20);
    int lower = 0;
    int upper = 250;
    // --band auto: the band is each picture's own (AutoBand), the dark class or, inverted, the
    // light one.
    bool autoBand = false;
    bool invert = false;
    // --crop: the part of each picture analysed, in its own pixels.
    std::optional<PixelRect> crop;
    // --trim: the crop cut down to the bounding box of the pixels in the band.
    bool trim = false;
    bool recursive = false;  // folders with their subfolders
    PuzzleFileFormat format = PuzzleFileFormat::kNon;
    QString outDir;       // empty: beside each picture
    bool unique = false;  // search for settings whose puzzle has one solution
    // --colours K: a colour puzzle of K colours (2..8) from the picture's palette; 0 for
    // black and white.
    int colours = 0;
    // --palette: colours kept in the palette (0xRRGGBB), first and in this order.
    std::vector<std::uint32_t> palette;
};

// The words of the command read into options and pictures: an exit status when the command ends
// here (its help, or a word that is wrong), nothing when the pictures are to be made.
std::optional<int> ParseMake(const std::vector<std::string>& args, MakeOptions& options,
                             std::vector<std::string>& pictures, std::ostream& out,
                             std::ostream& err);

// The pictures named: a folder becomes the picture files in it, sorted by name (with its
// subfolders', each after the files before it, when recursive); files in folders that are not
// pictures are left out without a word.  Anything else is kept as given.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& names, bool recursive);
