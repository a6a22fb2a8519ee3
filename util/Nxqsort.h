// The one sorting routine of the system: sorts a vector of rows by one column (in
// the order of the original quicksort, by a merge sort), with a pluggable comparison
// and type-aware default comparisons, and reports where each row went.
//
// A row is a vector of column values (any host::Vector) or a single value. The
// key of a vector row for column c is its element c, or null when the row is
// shorter; the key of any other row is the row itself. Null keys come first in
// both directions. Rows with equal keys come out in reverse order of their input.
// Holds no locks beyond the short ones of reading and refilling the vector.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/runtime/Object.h"
#include "host/runtime/Vector.h"
#include "util/NxSortInterface.h"

namespace norvex::util {

class Nxqsort : public host::Object {
    HOST_OBJECT(Nxqsort, "norvex.util.Nxqsort", host::Object)
public:
    static constexpr int ASCENDING = 0;
    static constexpr int DESCENDING = 1;  // any value other than ASCENDING sorts descending

    // sort_if may be null: the default comparisons apply.
    Nxqsort(std::shared_ptr<host::Vector> base, std::shared_ptr<NxSortInterface> sort_if = nullptr);

    std::optional<std::vector<int>> sort(int column) { return sort(column, ASCENDING); }
    // Sorts base in place by each row's key in column. Null rows are replaced by new
    // empty vectors first. When every row is a vector, returns for each row index
    // before the sort the row's new position; when some row is not a vector,
    // returns nullopt (the rows themselves are never modified).
    std::optional<std::vector<int>> sort(int column, int direction);

    int getDirection() const { return direction; }

    // True when o1 belongs after o2 in ascending order; see compareDefault.
    static bool gt(const host::Value& o1, const host::Value& o2, NxSortInterface* s);
    // True when o1 belongs before o2 in ascending order.
    static bool lt(const host::Value& o1, const host::Value& o2, NxSortInterface* s);

    // The plain text of a rich-text value, for comparing two rich strings by their
    // text rather than their markup. The rich-text class registers it once at start-up;
    // it returns false for values that are not rich strings. Returns the hook it replaced.
    using PlainTextOf = bool (*)(const host::Value& v, std::string& text);
    static PlainTextOf setPlainTextOf(PlainTextOf fn);

private:
    struct Row {
        host::Value row;
        host::Value key;
        int index;
    };
    void qs(std::vector<Row>& rows) const;

    std::shared_ptr<host::Vector> base;
    int direction = ASCENDING;
    std::shared_ptr<NxSortInterface> sort_if;
};

}  // namespace norvex::util
