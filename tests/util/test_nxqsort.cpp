#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "host/base/Date.h"
#include "util/NxVector.h"
#include "util/Nxqsort.h"

using host::Value;
using norvex::util::Nxqsort;
using norvex::util::NxSortInterface;
using norvex::util::NxVector;

namespace {

std::shared_ptr<NxVector> nx(std::initializer_list<Value> xs) {
    return host::create<NxVector>(std::vector<Value>(xs));
}

// Rows of one column each.
std::shared_ptr<NxVector> rows(std::initializer_list<Value> keys) {
    auto v = host::create<NxVector>();
    for (const auto& k : keys) v->addElement(nx({k}));
    return v;
}

std::optional<std::vector<int>> sortBy(const std::shared_ptr<NxVector>& v, int column, int dir,
                                       std::shared_ptr<NxSortInterface> s = nullptr) {
    Nxqsort q(v, std::move(s));
    return q.sort(column, dir);
}

}  // namespace

TEST(Nxqsort, VectorRowsReturnNewPositions) {
    auto v = rows({"b", "a", "c"});
    Nxqsort q(v, nullptr);
    auto where = q.sort(0);
    ASSERT_TRUE(where);
    EXPECT_EQ(*where, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(v->toString(), "[[a], [b], [c]]");  // no index left in the rows
    EXPECT_EQ(q.getDirection(), Nxqsort::ASCENDING);

    auto d = rows({"b", "a", "c"});
    EXPECT_EQ(*sortBy(d, 0, Nxqsort::DESCENDING), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(d->toString(), "[[c], [b], [a]]");

    // Other columns ride along with the key column.
    auto two = host::create<NxVector>();
    two->addElement(nx({"x", 3}));
    two->addElement(nx({"y", 1}));
    two->addElement(nx({"z", 2}));
    EXPECT_EQ(*sortBy(two, 1, 0), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(two->toString(), "[[y, 1], [z, 2], [x, 3]]");
}

TEST(Nxqsort, PlainRowsReturnNull) {
    auto v = nx({"b", "c", "a"});
    EXPECT_FALSE(sortBy(v, 0, Nxqsort::ASCENDING));
    EXPECT_EQ(v->toString(), "[a, b, c]");
    EXPECT_FALSE(sortBy(v, 0, 7));  // any non-zero direction is descending
    EXPECT_EQ(v->toString(), "[c, b, a]");
}

TEST(Nxqsort, MixedRowsLeaveNoIndexBehind) {
    auto v = host::create<NxVector>();
    v->addElement(nx({"b"}));
    v->addElement("a");
    v->addElement(nx({"c"}));
    EXPECT_FALSE(sortBy(v, 0, 0));
    EXPECT_EQ(v->toString(), "[a, [b], [c]]");
}

TEST(Nxqsort, NullKeysComeFirstInBothDirections) {
    for (int dir : {Nxqsort::ASCENDING, Nxqsort::DESCENDING}) {
        // A short row leads (also as the pivot), a null row becomes an empty vector.
        auto v = host::create<NxVector>();
        v->addElement(host::create<NxVector>());
        v->addElement(nx({5}));
        v->addElement(nullptr);
        v->addElement(nx({3}));
        auto where = sortBy(v, 0, dir);
        ASSERT_TRUE(where);
        ASSERT_EQ(v->size(), 4);
        EXPECT_EQ(v->elementAt(0).toString(), "[]");
        EXPECT_EQ(v->elementAt(1).toString(), "[]");
        EXPECT_EQ(v->elementAt(2).toString(), dir == 0 ? "[3]" : "[5]");
        EXPECT_EQ(v->elementAt(3).toString(), dir == 0 ? "[5]" : "[3]");
    }
}

TEST(Nxqsort, EqualKeysAreNotKeptInOrder) {
    auto x1 = nx({"x", 1});
    auto x2 = nx({"x", 2});
    auto v = host::create<NxVector>();
    v->addElement(x1);
    v->addElement(x2);
    EXPECT_EQ(*sortBy(v, 0, 0), (std::vector<int>{1, 0}));
    EXPECT_EQ(v->elementAt(0).as<NxVector>(), x2);
    EXPECT_EQ(v->elementAt(1).as<NxVector>(), x1);
}

TEST(Nxqsort, ComparesByKind) {
    auto nums = nx({10, 2, 2.5, int64_t(-1)});
    sortBy(nums, 0, 0);
    EXPECT_EQ(nums->toString(), "[-1, 2, 2.5, 10]");

    auto strs = nx({"10", "2", "B", "a"});
    sortBy(strs, 0, 0);
    EXPECT_EQ(strs->toString(), "[10, 2, B, a]");

    auto mixed = nx({"9", 10, true});
    sortBy(mixed, 0, 0);  // by string form: "10" < "9" < "true"
    EXPECT_EQ(mixed->toString(), "[10, 9, true]");

    auto dates = nx({host::Date(int64_t(2000)), host::Date(int64_t(1000))});
    sortBy(dates, 0, 0);
    EXPECT_EQ(dates->elementAt(0).asDate().getTime(), 1000);

    EXPECT_FALSE(Nxqsort::gt(Value(), Value(), nullptr));
    EXPECT_FALSE(Nxqsort::gt(Value(), 1, nullptr));
    EXPECT_TRUE(Nxqsort::gt(1, Value(), nullptr));
    EXPECT_TRUE(Nxqsort::lt(1, Value(), nullptr));
    EXPECT_FALSE(Nxqsort::lt(std::nan(""), 1.0, nullptr));
    EXPECT_FALSE(Nxqsort::gt(std::nan(""), 1.0, nullptr));
}

namespace {

// Orders by string length, longer first.
class LongerFirst : public NxSortInterface {
public:
    bool compare(const Value& a, const Value& b) override {
        ++calls;
        return a.toString().size() < b.toString().size();
    }
    int calls = 0;
};

// A rich-string stand-in whose text is the part after the markup.
class Marked : public host::Object {
    HOST_OBJECT(Marked, "test.Marked", host::Object)
public:
    Marked(std::string markup, std::string text) : text_(std::move(text)), markup_(std::move(markup)) {}
    std::string toString() const override { return markup_; }
    std::string text_;

private:
    std::string markup_;
};

bool markedText(const Value& v, std::string& out) {
    auto m = v.as<Marked>();
    if (!m) return false;
    out = m->text_;
    return true;
}

}  // namespace

TEST(Nxqsort, SortInterfaceAndPlainTextHook) {
    auto s = std::make_shared<LongerFirst>();
    auto v = nx({"bb", "a", "ccc"});
    sortBy(v, 0, 0, s);
    EXPECT_EQ(v->toString(), "[ccc, bb, a]");
    sortBy(v, 0, 1, s);
    EXPECT_EQ(v->toString(), "[a, bb, ccc]");
    EXPECT_GT(s->calls, 0);

    auto rich = nx({host::create<Marked>("[COLOR=red]b", "b"), host::create<Marked>("[B]a", "a")});
    sortBy(rich, 0, 0);
    EXPECT_EQ(rich->toString(), "[[B]a, [COLOR=red]b]");  // by markup ('B' < 'C')
    auto previous = Nxqsort::setPlainTextOf(&markedText);
    sortBy(rich, 0, 1);
    EXPECT_EQ(rich->toString(), "[[COLOR=red]b, [B]a]");
    sortBy(rich, 0, 0);
    EXPECT_EQ(rich->toString(), "[[B]a, [COLOR=red]b]");
    Nxqsort::setPlainTextOf(previous);  // the rich-text class's own hook
}

namespace {

class Throws : public NxSortInterface {
public:
    bool compare(const Value&, const Value&) override { throw std::runtime_error("boom"); }
};

}  // namespace

TEST(Nxqsort, FailedComparisonLeavesVectorAlone) {
    auto v = rows({"b", "a"});
    EXPECT_THROW(sortBy(v, 0, 0, std::make_shared<Throws>()), std::runtime_error);
    EXPECT_EQ(v->toString(), "[[b], [a]]");
}

TEST(Nxqsort, LongSortedInput) {
    auto v = host::create<NxVector>();
    const int n = 4000;
    for (int i = 0; i < n; ++i) v->addElement(nx({i}));
    auto where = sortBy(v, 0, Nxqsort::DESCENDING);
    ASSERT_TRUE(where);
    EXPECT_EQ((*where)[0], n - 1);
    EXPECT_EQ(v->elementAt(0).toString(), "[" + std::to_string(n - 1) + "]");
}
