#pragma once

#include <vector>

namespace rost {

// One side of a sheet printed for a booklet: the page on its left half and the page on its right
// half, numbered from 1; 0 for a blank padding page.
struct SheetSide
{
    int left = 0;
    int right = 0;

    bool operator==(const SheetSide &) const = default;
};

// The sides of a saddle-stitched booklet of pages pages, in printing order (front then back of
// the first sheet, and so on): padded with blanks to a multiple of four, so that the stack
// printed on both sides, folded once in the middle, reads 1, 2, 3 ... Empty for no pages.
std::vector<SheetSide> bookletSides(int pages);

} // namespace rost
