// Operations on lists of rectangles for finding free space: subtract occupied
// rectangles from a start rectangle, then find the largest rectangle the remaining
// pieces form together.
#pragma once

#include <vector>

#include "host/base/Geometry.h"
#include "util/NxPointRect.h"
#include "util/NxRectNode.h"

namespace norvex::util {

class NxRectUtil {
public:
    NxRectUtil() = delete;

    static constexpr int SORT_LR = 0;
    static constexpr int SORT_TB = 1;

    // rl becomes a one-node list holding r.
    static void rl_init(const host::Rectangle& r, NxRectList& rl);
    static void appendrect(const host::Rectangle& r, NxRectList& rl);
    // Appends node (its link cleared).
    static void appendrectnode(const NxRectNodePtr& node, NxRectList& rl);
    // Replaces every rectangle of rl by its pieces outside r, in order.
    static void rl_remove(const host::Rectangle& r, NxRectList& rl);
    // Appends the pieces of r1 outside r2: a full-width band above and below r2, then
    // the parts left and right of r2 within its rows.
    static void appendremaining(const host::Rectangle& r1, const host::Rectangle& r2, NxRectList& rl);
    // Whether r1 contains r2 (edges may touch).
    static bool includesrect(const host::Rectangle& r1, const host::Rectangle& r2);
    // The bounding box; when one of them is empty (isnull) the other one.
    static host::Rectangle bounding(const host::Rectangle& r1, const host::Rectangle& r2);
    // r3 = the intersection (never negative); all zero when an argument is missing or a
    // rectangle is empty.
    static void intersect(const host::Rectangle* r1, const host::Rectangle* r2, host::Rectangle* r3);
    // Width or height 0.
    static bool isnull(const host::Rectangle& r);
    // Negative widths and heights become positive, moving the origin.
    static void normalize(NxRectList& rl);
    // Reorders the nodes top to bottom (SORT_TB) or left to right (SORT_LR).
    static void sort(NxRectList& rl, int sortorder);
    // For a list sorted top to bottom: one list per run of equal y, each sorted left to
    // right, plus one empty list at the end. Empty for an empty list.
    static std::vector<NxRectListPtr> make(NxRectList& rl);
    // The largest rectangle the pieces form; of equal ones the first found. All zero
    // for an empty list. Normalises and reorders rl.
    static host::Rectangle largest_rect(NxRectList& rl);

    // The steps of the largest-rectangle search.
    static void search_lg_rect(const std::vector<NxRectListPtr>& bands, std::size_t i, NxRectNode* node,
                               NxPointRect& current, NxPointRect& best);
    static void calc_lg_rect(const NxPointRect& r, NxPointRect& current, NxPointRect& best);
};

}  // namespace norvex::util
