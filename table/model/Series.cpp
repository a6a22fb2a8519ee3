#include "table/model/Series.h"

#include <algorithm>

#include "table/model/NxTblEnum.h"
#include "table/model/Table.h"

namespace norvex::table {

using host::Value;

Series::Series(Table* table) : table_(table) {
    if (table_) table_->addSeries(this);
}

Series::Series(Table* table, Value v) : Series(table) { setDefault(std::move(v)); }

Series::~Series() {
    if (table_) table_->removeSeries(this);
}

bool Series::eqCell(int er, int ec, int row, int col) {
    auto match = [](int e, int k) { return e == k || e == NxTblEnum::ALL || (k >= 0 && e == NxTblEnum::ALLCELLS); };
    return match(er, row) && match(ec, col);
}

int Series::kindOf(int k) {
    if (k == NxTblEnum::ALL) return 1;
    if (k == NxTblEnum::ALLCELLS) return 2;
    return 0;
}

void Series::count(uint64_t k, int delta) { kinds_[kindOf(rowOf(k))][kindOf(colOf(k))] += delta; }

std::optional<SeriesValue> Series::find(int row, int col) const {
    // The keys that can match: the index itself, ALL, and ALLCELLS for a real cell index.
    auto candidates = [](int k, int out[3]) {
        int n = 0;
        out[n++] = k;
        if (k != NxTblEnum::ALL) out[n++] = NxTblEnum::ALL;
        if (k >= 0) out[n++] = NxTblEnum::ALLCELLS;
        return n;
    };
    int rows[3], cols[3];
    const int nr = candidates(row, rows), nc = candidates(col, cols);
    const Entry* best = nullptr;
    uint64_t bestKey = 0;
    for (int i = 0; i < nr; ++i) {
        for (int j = 0; j < nc; ++j) {
            if (kinds_[kindOf(rows[i])][kindOf(cols[j])] == 0) continue;
            auto it = entries_.find(key(rows[i], cols[j]));
            if (it != entries_.end() && (!best || it->second.seq > best->seq)) {
                best = &it->second;
                bestKey = it->first;
            }
        }
    }
    if (!best) return std::nullopt;
    return SeriesValue{rowOf(bestKey), colOf(bestKey), best->value};
}

std::optional<SeriesValue> Series::findExact(int row, int col) const {
    auto it = entries_.find(key(row, col));
    if (it == entries_.end()) return std::nullopt;
    return SeriesValue{row, col, it->second.value};
}

bool Series::setValue(int row, int col, Value value) {
    const uint64_t k = key(row, col);
    auto [it, added] = entries_.try_emplace(k, Entry{Value(), 0});
    if (added) {
        count(k, +1);
    } else if (it->second.seq == next_seq_ - 1 && it->second.value.equals(value)) {
        return false;  // already the most recent entry, with this value
    }
    it->second.value = std::move(value);
    it->second.seq = next_seq_++;
    return true;
}

bool Series::remove(int row, int col) {
    const uint64_t k = key(row, col);
    if (entries_.erase(k) == 0) return false;
    count(k, -1);
    return true;
}

void Series::setDefault(Value value) {
    const uint64_t k = key(NxTblEnum::ALL, NxTblEnum::ALL);
    auto [it, added] = entries_.try_emplace(k, Entry{Value(), 0});
    if (added) {
        count(k, +1);
        it->second.seq = --lowest_seq_;
    }
    it->second.value = std::move(value);
}

Value Series::getDefault() const {
    auto e = findExact(NxTblEnum::ALL, NxTblEnum::ALL);
    return e ? e->value : Value();
}

Value Series::getValue(int row, int col) const {
    auto e = find(row, col);
    return e ? e->value : Value();
}

bool Series::containsValue(const Value& v) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.second.value.equals(v); });
}

Value Series::getSingleValue() const {
    if (entries_.empty()) return Value();
    const Value& first = entries_.begin()->second.value;
    for (const auto& e : entries_)
        if (!e.second.value.equals(first)) return Value();
    return first;
}

std::vector<SeriesValue> Series::getEntries() const {
    std::vector<std::pair<int64_t, SeriesValue>> sorted;
    sorted.reserve(entries_.size());
    for (const auto& [k, e] : entries_) sorted.push_back({e.seq, SeriesValue{rowOf(k), colOf(k), e.value}});
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SeriesValue> out;
    out.reserve(sorted.size());
    for (auto& s : sorted) out.push_back(std::move(s.second));
    return out;
}

Value Series::getValueAt(int pos) const {
    if (pos < 0 || pos >= size()) return Value();
    return getEntries()[size_t(pos)].value;
}

bool Series::removeAt(int pos) {
    if (pos < 0 || pos >= size()) return false;
    const SeriesValue e = getEntries()[size_t(pos)];
    return remove(e.row, e.column);
}

void Series::clear() {
    entries_.clear();
    for (auto& r : kinds_)
        for (int& c : r) c = 0;
}

void Series::remapKeys(const std::function<std::optional<std::pair<int, int>>(int row, int col)>& map) {
    // Most edits leave most keys alone (appending a row moves none): rebuild only on change.
    bool changes = false;
    for (const auto& [k, e] : entries_) {
        auto to = map(rowOf(k), colOf(k));
        if (!to || key(to->first, to->second) != k) {
            changes = true;
            break;
        }
    }
    if (!changes) return;
    auto old = std::move(entries_);
    clear();
    entries_.reserve(old.size());
    for (auto& [k, e] : old) {
        auto to = map(rowOf(k), colOf(k));
        if (!to) continue;
        const uint64_t nk = key(to->first, to->second);
        auto [it, added] = entries_.try_emplace(nk, std::move(e));
        if (added)
            count(nk, +1);
        else if (e.seq > it->second.seq)
            it->second = std::move(e);
    }
}

}  // namespace norvex::table
