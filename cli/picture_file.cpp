#include "cli/picture_file.h"

#include <QFile>

#include "session/picture_refusal_text.h"
#include "image/regular_file.h"
#include "model/picture_loader.h"

std::int64_t PictureMemoryBytes(const PictureHeader& header, std::int64_t decodedBytes,
                                bool sumsOnly) {
    const std::int64_t side = header.canvas.side;
    // Gray sums of 2 bytes a pixel, the binary image of 4; the planes hold 3 samples of 4.
    return decodedBytes + side * side * (2 + 4 + (sumsOnly ? 0 : 12));
}

std::variant<Picture, QString> ReadPictureFile(const QString& path, bool sumsOnly,
                                               MemoryBudget* budget, MemoryBudget::Lease* lease) {
    QFile file;
    switch (OpenRegularFile(path, file)) {
        case RegularFileOpen::kNotRegularFile:
            return NotPictureText();
        case RegularFileOpen::kFailed:
            return CannotOpenText();
        case RegularFileOpen::kOpened:
            break;
    }
    PictureLoader loader(file, SniffPictureFormat(file));
    const std::variant<PictureHeader, PictureRefusal> header = loader.ReadHeader();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&header))
        return PictureRefusalText(*refusal);
    if (budget && lease) {
        *lease = budget->Take(
            PictureMemoryBytes(std::get<PictureHeader>(header), loader.DecodedBytes(), sumsOnly));
    }
    if (const std::optional<PictureRefusal> refusal = loader.ReadData())
        return PictureRefusalText(*refusal);
    std::variant<Picture, PictureRefusal> pixels =
        sumsOnly ? loader.ReadGraySums() : loader.ReadPixels();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&pixels))
        return PictureRefusalText(*refusal);
    return std::get<Picture>(std::move(pixels));
}
