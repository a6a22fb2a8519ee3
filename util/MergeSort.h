// The order of the system's sort: ascending by a comparison "a belongs after b", equal
// elements in reverse order of their input positions (what the first-element-pivot
// quicksort of lists and tables has always produced). Built as a stable bottom-up merge
// sort of the reversed input: O(n log n) comparisons whatever the data (sorted, equal or
// mostly empty columns included), no recursion, and index arithmetic that depends only
// on the run lengths, so a comparison that is not consistent (mixed-type keys) can give
// an odd order but never a fault.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace norvex::util {

// after(a, b): true when a belongs after b. An element moves ahead of an earlier one
// only when after() says so.
template <class T, class After>
void sortReversingTies(std::vector<T>& items, After&& after) {
    const size_t n = items.size();
    if (n < 2) return;
    std::reverse(items.begin(), items.end());
    // Short runs by insertion, which is stable.
    constexpr size_t RUN = 24;
    for (size_t lo = 0; lo < n; lo += RUN) {
        const size_t hi = std::min(n, lo + RUN);
        for (size_t i = lo + 1; i < hi; ++i) {
            if (!after(items[i - 1], items[i])) continue;
            T x = std::move(items[i]);
            size_t j = i;
            do {
                items[j] = std::move(items[j - 1]);
                --j;
            } while (j > lo && after(items[j - 1], x));
            items[j] = std::move(x);
        }
    }
    std::vector<T> buffer(n);
    std::vector<T>* from = &items;
    std::vector<T>* to = &buffer;
    for (size_t width = RUN; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(n, lo + width), hi = std::min(n, lo + 2 * width);
            size_t i = lo, j = mid, k = lo;
            // Runs already in order (sorted input) are copied without comparing each pair.
            if (mid < hi && !after((*from)[mid - 1], (*from)[mid])) {
                std::move((*from).begin() + std::ptrdiff_t(lo), (*from).begin() + std::ptrdiff_t(hi),
                          (*to).begin() + std::ptrdiff_t(lo));
                continue;
            }
            while (i < mid && j < hi) {
                // The right element goes first only when the left one belongs after it.
                if (after((*from)[i], (*from)[j]))
                    (*to)[k++] = std::move((*from)[j++]);
                else
                    (*to)[k++] = std::move((*from)[i++]);
            }
            while (i < mid) (*to)[k++] = std::move((*from)[i++]);
            while (j < hi) (*to)[k++] = std::move((*from)[j++]);
        }
        std::swap(from, to);
    }
    if (from != &items) items = std::move(*from);
}

}  // namespace norvex::util
