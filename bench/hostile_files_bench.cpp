// Reading puzzle files made to be slow: each shape of hostile .xml filled to the largest size
// the reader accepts (4 MB), and of .non to its 1 MB.  Every read must stay well under a second
// and grow with the file's size alone.
#include <benchmark/benchmark.h>

#include <string>

#include "formats/non_format.h"
#include "formats/puzzle_file.h"
#include "formats/xml_format.h"

namespace {

// `head`, then `unit` repeated (numbered where it holds '#') up to `bytes`, then `tail`.
std::string Filled(const std::string& head, const std::string& unit, const std::string& tail,
                   std::size_t bytes) {
    std::string text = head;
    for (int i = 0; text.size() + unit.size() + tail.size() + 8 < bytes; ++i) {
        std::string piece = unit;
        const std::size_t at = piece.find('#');
        if (at != std::string::npos)
            piece.replace(at, 1, std::to_string(i));
        text += piece;
    }
    return text + tail;
}

// `depth` elements, each inside the one before, and their ends.
std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

struct Shape {
    const char* name;
    std::string text;
    PuzzleFileFormat format;
};

std::vector<Shape> Shapes() {
    const std::size_t xml = kMaxXmlFileBytes, non = kMaxNonFileBytes;
    const std::string open = "<puzzleset><puzzle>", close = "</puzzle></puzzleset>\n";
    const auto x = PuzzleFileFormat::kXml;
    const auto n = PuzzleFileFormat::kNon;
    return {
        {"xml attributes on one element",
         Filled("<puzzleset><puzzle", " a#=\"1\"", ">" + close, xml), x},
        {"xml attributes on many elements",
         Filled(open, "<x a=\"1\" b=\"2\" c=\"3\" d=\"4\" e=\"5\" f=\"6\"/>", close, xml), x},
        {"xml empty elements", Filled(open, "<x/>", close, xml), x},
        {"xml nesting to the limit, again and again", Filled(open, Nested(28), close, xml), x},
        {"xml long title", Filled(open + "<title>", "ab&amp;c ", "</title>" + close, xml), x},
        {"xml comments", Filled(open, "<!-- c -->", close, xml), x},
        {"xml long attribute value",
         Filled("<puzzleset><puzzle title=\"", "abcdefgh", "\">" + close, xml), x},
        {"xml goal rows",
         Filled(open + "<solution><image>\n", "|X.X|\n", "</image></solution>" + close, xml), x},
        {"xml namespaces", Filled(open, "<p:x xmlns:p=\"u#\"/>", close, xml), x},
        {"non blank lines", Filled("width 5\nheight 5\n", "\n", "", non), n},
        {"non unknown keys", Filled("width 5\nheight 5\n", "key value\n", "", non), n},
        {"non titles", Filled("", "title \"\\\"abc\\\\\"\n", "", non), n},
    };
}

void BM_ReadHostileFile(benchmark::State& state) {
    static const std::vector<Shape> s_shapes = Shapes();
    const Shape& shape = s_shapes[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(shape.name);
    for (auto _ : state) {
        PuzzleReadResult r = ReadPuzzleText(shape.text, shape.format);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(shape.text.size()));
}
BENCHMARK(BM_ReadHostileFile)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

}  // namespace
