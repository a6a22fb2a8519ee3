#include "util/Nxqsort.h"

#include <atomic>
#include <compare>
#include <utility>

#include "util/MergeSort.h"
#include "util/NxVector.h"

namespace norvex::util {

using host::Value;

namespace {

std::atomic<Nxqsort::PlainTextOf> plainTextOf{nullptr};

// The default ordering of two non-null keys. Unordered (NaN) compares neither
// greater nor less.
std::partial_ordering compareDefault(const Value& a, const Value& b) {
    if (a.isString() && b.isString()) return a.asString().compare(b.asString()) <=> 0;
    if (a.isNumber() && b.isNumber()) return a.asDouble() <=> b.asDouble();
    if (a.isDate() && b.isDate()) return a.asDate().getTime() <=> b.asDate().getTime();
    if (auto fn = plainTextOf.load()) {
        std::string ta, tb;
        if (fn(a, ta) && fn(b, tb)) return ta.compare(tb) <=> 0;
    }
    return a.toString().compare(b.toString()) <=> 0;
}

Value keyOf(const Value& row, int column) {
    auto v = row.as<host::Vector>();
    if (!v) return row;
    host::Lock lock(v->mutex());
    return column >= 0 && column < v->size() ? v->elementAt(column) : Value();
}

}  // namespace

Nxqsort::PlainTextOf Nxqsort::setPlainTextOf(PlainTextOf fn) { return plainTextOf.exchange(fn); }

Nxqsort::Nxqsort(std::shared_ptr<host::Vector> b, std::shared_ptr<NxSortInterface> s)
    : base(std::move(b)), sort_if(std::move(s)) {}

bool Nxqsort::gt(const Value& o1, const Value& o2, NxSortInterface* s) {
    if (o1.isNull()) return false;
    if (o2.isNull()) return true;
    if (s) return s->compare(o1, o2);
    return compareDefault(o1, o2) > 0;
}

bool Nxqsort::lt(const Value& o1, const Value& o2, NxSortInterface* s) {
    if (o1.isNull()) return false;
    if (o2.isNull()) return true;
    if (s) return s->compare(o2, o1);
    return compareDefault(o1, o2) < 0;
}

std::optional<std::vector<int>> Nxqsort::sort(int column, int dir) {
    direction = dir;
    if (!base) return std::vector<int>();

    // Every row travels with its index before the sort, so the rows themselves are
    // never touched and nothing needs undoing when the result is null or a
    // comparison throws.
    std::vector<Value> snapshot = base->elements();
    std::vector<Row> rows;
    rows.reserve(snapshot.size());
    bool allVectors = true;
    for (size_t i = 0; i < snapshot.size(); ++i) {
        Value row = snapshot[i];
        if (row.isNull()) row = host::create<NxVector>();
        else if (!row.as<host::Vector>()) allVectors = false;
        Value key = keyOf(row, column);
        rows.push_back({std::move(row), std::move(key), int(i)});
    }

    qs(rows);

    std::vector<Value> sorted;
    sorted.reserve(rows.size());
    std::vector<int> result(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        sorted.push_back(rows[i].row);
        result[size_t(rows[i].index)] = int(i);
    }
    base->setElements(std::move(sorted));
    if (!allVectors) return std::nullopt;
    return result;
}

// The quicksort's order (ties reversed, nulls first) by a merge sort, so sorted, equal
// or mostly empty columns cost n log n comparisons rather than n squared.
void Nxqsort::qs(std::vector<Row>& rows) const {
    NxSortInterface* s = sort_if.get();
    const bool ascending = direction == ASCENDING;
    sortReversingTies(rows, [&](const Row& a, const Row& b) {
        return ascending ? gt(a.key, b.key, s) : lt(a.key, b.key, s);
    });
}

}  // namespace norvex::util
