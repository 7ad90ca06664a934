#include "analysis/crop.h"

#include <algorithm>
#include <cstdint>

#include "image/square_canvas.h"

void CanvasSums::ReadColumn(int x, int top, int count, int* out) const {
    if (const std::uint16_t* sums = StoredColumn(x, top)) {
        std::copy(sums, sums + count, out);
        return;
    }
    const std::int32_t* red = m_picture.planes[3 * x] + top;
    const std::int32_t* green = m_picture.planes[3 * x + 1] + top;
    const std::int32_t* blue = m_picture.planes[3 * x + 2] + top;
    for (int y = 0; y < count; ++y)
        out[y] = red[y] + green[y] + blue[y];
}

std::optional<PixelRect> ClipToPicture(const Picture& picture, const PixelRect& rect) {
    const PictureRect whole = PictureRectOf(picture);
    // In 64 bits: a rectangle given on the command line may reach past any int.
    const long long left = std::max<long long>(rect.x, 0);
    const long long top = std::max<long long>(rect.y, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(rect.x) + rect.width, whole.width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(rect.y) + rect.height, whole.height);
    if (rect.IsEmpty() || right <= left || bottom <= top)
        return std::nullopt;
    return PixelRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top)};
}

std::optional<PixelRect> TrimRect(const Picture& picture, int lower, int upper,
                                  const std::optional<PixelRect>& within) {
    const PictureRect whole = PictureRectOf(picture);
    const std::optional<PixelRect> area =
        ClipToPicture(picture, within.value_or(PixelRect{0, 0, whole.width, whole.height}));
    if (!area || (picture.IsEmpty() && !picture.SumsOnly()))
        return std::nullopt;
    const CanvasSums sums(picture);
    std::vector<int> column(static_cast<std::size_t>(area->height));
    const auto inBand = [lower, upper](int sum) {
        const int gray = sum / 3;
        return gray >= lower && gray < upper;
    };
    int left = -1, right = -1, top = area->height, bottom = -1;
    for (int i = 0; i < area->width; ++i) {
        sums.ReadColumn(whole.left + area->x + i, whole.top + area->y, area->height, column.data());
        const auto first = std::find_if(column.begin(), column.end(), inBand);
        if (first == column.end())
            continue;
        const auto last = std::find_if(column.rbegin(), column.rend(), inBand);
        if (left < 0)
            left = i;
        right = i;
        top = std::min(top, static_cast<int>(first - column.begin()));
        bottom = std::max(bottom, static_cast<int>(column.rend() - last) - 1);
    }
    if (left < 0)
        return std::nullopt;
    return PixelRect{area->x + left, area->y + top, right - left + 1, bottom - top + 1};
}

Picture CroppedPicture(const Picture& picture, const PixelRect& rect) {
    const std::optional<PixelRect> area = ClipToPicture(picture, rect);
    if (!area || (picture.IsEmpty() && !picture.SumsOnly()))
        return Picture{};
    const PictureRect whole = PictureRectOf(picture);
    const SquareCanvas canvas = ComputeSquareCanvas(area->width, area->height);
    const int side = static_cast<int>(canvas.side);
    const int left = static_cast<int>(canvas.padX / 2), top = static_cast<int>(canvas.padY / 2);
    const int fromX = whole.left + area->x, fromY = whole.top + area->y;

    Picture cropped;
    cropped.width = area->width;
    cropped.height = area->height;
    const bool withPlanes = !picture.SumsOnly();
    if (withPlanes) {
        cropped.planes.Allocate(3 * side, side);
        cropped.planes.Fill(255);
        for (int i = 0; i < area->width; ++i) {
            for (int c = 0; c < 3; ++c) {
                const std::int32_t* from = picture.planes[3 * (fromX + i) + c] + fromY;
                std::copy(from, from + area->height, cropped.planes[3 * (left + i) + c] + top);
            }
        }
    }
    cropped.gray.Allocate(side, side);
    const CanvasSums sums(picture);
    std::vector<int> column(static_cast<std::size_t>(area->height));
    for (int x = 0; x < side; ++x) {
        std::uint16_t* to = cropped.gray[x];
        std::fill(to, to + side, std::uint16_t{3 * 255});
        if (x < left || x >= left + area->width)
            continue;
        sums.ReadColumn(fromX + x - left, fromY, area->height, column.data());
        std::copy(column.begin(), column.end(), to + top);
    }
    if (withPlanes)
        cropped.gray.MadeFrom(cropped.planes);
    else
        cropped.gray.MadeWithoutPlanes();
    return cropped;
}
