#include "cli/picture_file.h"

#include <QFile>

#include "construct/picture_refusal_text.h"
#include "image/regular_file.h"
#include "model/picture_loader.h"

std::variant<Picture, QString> ReadPictureFile(const QString& path, bool sumsOnly) {
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
    std::variant<Picture, PictureRefusal> pixels =
        sumsOnly ? loader.ReadGraySums() : loader.ReadPixels();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&pixels))
        return PictureRefusalText(*refusal);
    return std::get<Picture>(std::move(pixels));
}
