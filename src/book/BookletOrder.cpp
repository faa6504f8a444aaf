#include "book/BookletOrder.h"

namespace rost {

std::vector<SheetSide> bookletSides(int pages)
{
    std::vector<SheetSide> sides;
    if (pages <= 0)
        return sides;
    const int padded = (pages + 3) / 4 * 4;
    const auto shown = [pages](int page) { return page <= pages ? page : 0; };
    sides.reserve(static_cast<std::size_t>(padded / 2));
    // Sheet s carries the s-th pair from the outside in: on its front the last unplaced page on
    // the left and the first on the right, on its back the next first one on the left.
    for (int s = 0; s < padded / 4; ++s) {
        sides.push_back({shown(padded - 2 * s), shown(1 + 2 * s)});
        sides.push_back({shown(2 + 2 * s), shown(padded - 1 - 2 * s)});
    }
    return sides;
}

} // namespace rost
