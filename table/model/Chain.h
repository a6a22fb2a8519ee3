// The table's sequence of per-row heights or per-column widths with their running
// positions. Small chains are plain arrays (values and 64-bit prefix sums); a chain
// made with MAXSIZE entries or more, or edited past index MAXSIZE, is run-length
// encoded (ChainUtil), so a million rows of one height are one run.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "table/model/ChainUtil.h"

namespace norvex::table {

class Chain {
public:
    static constexpr int INCR = 20;

    Chain() : Chain(0) {}
    // size zeros in array form below MAXSIZE; else one run of the unset value -999.
    explicit Chain(int size);
    // A chain of the given values, built in one pass (run form from MAXSIZE values on).
    static Chain fromValues(const std::vector<int>& values);
    // n entries of value: one run from MAXSIZE entries on.
    static Chain filled(int n, int value);

    static int getMaxSize();
    static void changeMaxSize(int max_size);

    bool isRunForm() const { return chain.has_value(); }
    const ChainUtil* getRunChain() const { return chain ? &*chain : nullptr; }
    int size() const { return chain ? chain->size() : values_len; }

    // Value at pos; -1 outside the sequence (the run form answers its first or last run).
    int getValue(int pos) const;
    // Sum of the values before pos: 0 at or before 0, the total at or after the end.
    int64_t getPosition(int pos) const;
    int64_t getTotal() const { return getPosition(size()); }
    // The index whose stretch [position, position + value) holds pixel; -1 outside.
    int indexAt(int64_t pixel) const;

    // Sets start..end (inclusive) to value. The chain grows when end reaches past its
    // length, as long as start is at most the length; reversed or negative ranges do nothing.
    void setValue(int start, int end, int value);
    // Removes start..end; false unless 0 <= start <= end < size().
    bool remove(int start, int end);
    // Moves num entries from source to before the entry that was at destination.
    bool move(int source, int num, int destination);
    // Inserts the values of new_chain before pos (0..size()).
    bool insert(const Chain& new_chain, int pos);
    void append(int value);
    void appendNocalc(int value) { append(value); }
    // Recomputes the array form's positions from pos on.
    void calcPositions(int pos);
    // Ensures the array form holds at least size slots.
    void setSize(int size);

    std::vector<int> getArray() const;

private:
    void toRunForm();

    // Array form: values[0..values_len-1], positions[0..values_len] (positions[values_len]
    // is the total). Empty in run form.
    std::vector<int> values;
    std::vector<int64_t> positions{0};
    int values_len = 0;
    std::optional<ChainUtil> chain;
};

}  // namespace norvex::table
