// The run-length form of a chain: consecutive indices that share one value are one
// run, and each run carries the sum of every value before it. Sums are 64-bit, so a
// million rows of marker sizes (33,000 and more) or of tall rows never overflow.
#pragma once

#include <cstdint>
#include <vector>

namespace norvex::table {

struct Run {
    int64_t sum = 0;  // sum of the values of all indices before start
    int value = 0;    // the value of every index start..end
    int start = 0;    // first index
    int end = 0;      // last index, inclusive

    int length() const { return end - start + 1; }
    void copy(const Run& source) { *this = source; }
};

class ChainUtil {
public:
    ChainUtil() = default;
    // One run 0..size-1 of the unset value -999; no runs for size <= 0.
    explicit ChainUtil(int size);
    // The values in order, built in one pass.
    explicit ChainUtil(const std::vector<int>& values);

    // Number of indices.
    int size() const { return runs_.empty() ? 0 : runs_.back().end + 1; }
    int numRuns() const { return int(runs_.size()); }
    const std::vector<Run>& getRuns() const { return runs_; }

    // Value at pos; the first or last run's value outside the sequence, -1 with no runs.
    int getRunLen(int pos) const;
    // Sum of the values before pos; 0 at or before 0, the total at or after the end.
    int64_t getRunSum(int pos) const;
    // Sum of all values.
    int64_t getTotal() const;
    // The index whose stretch [sum, sum + value) holds pixel, or -1 outside 0..total.
    int indexAt(int64_t pixel) const;

    // Sets start..end to value. An end past the last index grows the sequence as long as
    // start is at most the length (no gaps); reversed or negative ranges do nothing.
    void setRunLen(int start, int end, int value);
    // Removes start..end; false (and nothing changed) unless 0 <= start <= end < size.
    // The removed values go to scrap (renumbered from 0) when it is not null.
    bool remove(int start, int end, ChainUtil* scrap = nullptr);
    // Inserts all values of insert before pos (0..size); false when insert is empty or
    // pos is outside.
    bool insert(const ChainUtil& insert, int pos);
    // Moves num indices from source to before the index that was at destination
    // (counted before the move). Out-of-range moves change nothing and return false.
    bool move(int source, int num, int destination);
    void append(int value);

    // One slot per index.
    std::vector<int> getArray() const;
    ChainUtil clone() const;
    void resetCache() const { last_pos_ = 0, last_run_ = 0; }

private:
    // The run holding pos (clamped into the runs); runs_ must not be empty.
    int fetchIndex(int pos) const;
    int binarySearch(int pos) const;
    // Makes idx (0..size) the first index of a run; returns that run's index.
    int splitAt(int idx);
    // Recomputes start, end and sum of every run from k on, keeping each run's length.
    void renumberFrom(int k);
    // Merges run k with run k-1 when both hold the same value.
    void mergeAt(int k);

    std::vector<Run> runs_;
    mutable int last_pos_ = 0;
    mutable int last_run_ = 0;
};

}  // namespace norvex::table
