// One cell attribute of a table: entries keyed by a row and a column that are real
// indexes or the wild cards ALL, ALLCELLS and LABEL. A look-up returns the value of
// the most recently set matching entry. Entries are indexed by their exact key and
// carry a sequence number, so a look-up probes at most nine keys (the row, ALL or
// ALLCELLS times the same for the column) whatever the number of entries.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/runtime/Value.h"

namespace norvex::table {

class Table;

struct SeriesValue {
    int row = 0;
    int column = 0;
    host::Value value;

    // Both null, or value equal to v.
    bool eqValue(const host::Value& v) const { return value.equals(v); }
};

class Series {
public:
    // A series of no table, without a default entry.
    Series() = default;
    // A series of table (joins the table's series list so it shifts with the rows and
    // columns), without a default entry.
    explicit Series(Table* table);
    // The same with a default (ALL, ALL) entry holding v.
    Series(Table* table, host::Value v);
    ~Series();
    Series(const Series&) = delete;
    Series& operator=(const Series&) = delete;

    // True when an entry keyed (er, ec) applies to (row, col).
    static bool eqCell(int er, int ec, int row, int col);

    // The current matching entry, or nullopt.
    std::optional<SeriesValue> find(int row, int col) const;
    // The entry keyed exactly (row, col), or nullopt.
    std::optional<SeriesValue> findExact(int row, int col) const;

    // Stores value under (row, col) with the highest precedence; false when the entry
    // already was the most recent one and held an equal value.
    bool setValue(int row, int col, host::Value value);
    // Removes the entry keyed exactly (row, col); false when there is none.
    bool remove(int row, int col);

    // The (ALL, ALL) entry: changed in place, or added with the lowest precedence.
    void setDefault(host::Value value);
    host::Value getDefault() const;

    host::Value getValue(int row, int col) const;
    int getIntValue(int row, int col) const { return getValue(row, col).asInt(); }
    bool getBooleanValue(int row, int col) const { return getValue(row, col).asBool(); }

    bool containsValue(const host::Value& v) const;
    // The value every entry holds; null when there are none or they differ.
    host::Value getSingleValue() const;
    int size() const { return int(entries_.size()); }
    // The entries from lowest to highest precedence.
    std::vector<SeriesValue> getEntries() const;
    // Entry pos of that order (null beyond the end), and its removal. Each sorts the
    // entries first: for occasional use, not per cell.
    host::Value getValueAt(int pos) const;
    bool removeAt(int pos);

    // Re-keys every entry: map returns the new (row, col), or nullopt to drop it. Keys
    // that collide keep the more recent entry. Precedence is kept.
    void remapKeys(const std::function<std::optional<std::pair<int, int>>(int row, int col)>& map);

private:
    struct Entry {
        host::Value value;
        int64_t seq;
    };
    static uint64_t key(int row, int col) { return (uint64_t(uint32_t(row)) << 32) | uint32_t(col); }
    static int rowOf(uint64_t k) { return int(int32_t(uint32_t(k >> 32))); }
    static int colOf(uint64_t k) { return int(int32_t(uint32_t(k))); }
    // Which of the three key kinds (an index, ALL, ALLCELLS) a row or column key is.
    static int kindOf(int k);
    void count(uint64_t k, int delta);
    void clear();

    struct KeyHash {
        size_t operator()(uint64_t k) const {
            k ^= k >> 33;
            k *= 0xff51afd7ed558ccdULL;
            k ^= k >> 33;
            return size_t(k);
        }
    };

    Table* table_ = nullptr;
    std::unordered_map<uint64_t, Entry, KeyHash> entries_;
    // Number of entries of each (row kind, column kind): look-ups skip empty kinds.
    int kinds_[3][3] = {};
    int64_t next_seq_ = 1;
    int64_t lowest_seq_ = 1;
};

}  // namespace norvex::table
