// The index mapping of a block move: num entries from source are taken out and put
// back before the entry that was at destination (counted before the move).
#pragma once

namespace norvex::table {

// True when the move is within 0..count and actually changes the order. A destination
// inside the block (or at either end of it) leaves everything where it is.
inline bool isBlockMove(int source, int num, int destination, int count) {
    if (num < 1 || source < 0 || source > count - num || destination < 0 || destination > count) return false;
    return destination < source || destination > source + num;
}

// Where index k ends up; only for moves isBlockMove accepts.
inline int blockMoveIndex(int k, int source, int num, int destination) {
    if (destination < source) {
        if (k >= source && k < source + num) return k - (source - destination);
        if (k >= destination && k < source) return k + num;
    } else {
        if (k >= source && k < source + num) return k + (destination - source - num);
        if (k >= source + num && k < destination) return k - num;
    }
    return k;
}

}  // namespace norvex::table
