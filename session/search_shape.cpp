#include "session/search_shape.h"

SearchShape SearchShapeOf(const Picture& picture, const BlockChoice& blocks,
                          const BlockDivision& current) {
    SearchShape shape;
    if (!blocks.custom && !blocks.fit)
        return shape;
    shape.division = current;
    if (blocks.custom) {
        shape.layouts.push_back(BlockLayout::OfDivision(blocks.columns, current));
        return shape;
    }
    for (int count : SearchCounts(blocks.columns)) {
        const BlockDivision division = DivisionOf(picture, {count, count, false, true});
        if (!division.IsEmpty())
            shape.layouts.push_back(BlockLayout::OfDivision(count, division));
    }
    return shape;
}
