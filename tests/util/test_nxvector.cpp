#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "host/runtime/Object.h"
#include "util/NxCache.h"
#include "util/NxFixedVector.h"
#include "util/NxVector.h"

using host::Value;
using norvex::util::NxCache;
using norvex::util::NxFixedVector;
using norvex::util::NxVector;

namespace {

std::shared_ptr<NxVector> nx(std::initializer_list<Value> xs) {
    return host::create<NxVector>(std::vector<Value>(xs));
}

}  // namespace

TEST(NxVector, Defaults) {
    NxVector v;
    EXPECT_EQ(v.capacity(), 1);
    for (int i = 0; i < 2; ++i) v.addElement(i);
    EXPECT_EQ(v.capacity(), 11);  // increment 10
    EXPECT_TRUE(v.getFirst().equals(0));
    EXPECT_TRUE(v.getLast().equals(1));
    EXPECT_TRUE(NxVector().getFirst().isNull());
    EXPECT_TRUE(NxVector().getLast().isNull());
}

TEST(NxVector, SetElementAtGrowsForValuesOnly) {
    NxVector v;
    v.setElementAt(5, "x");
    EXPECT_EQ(v.toString(), "[null, null, null, null, null, x]");

    auto w = nx({"a", "b", "c"});
    w->setElementAt(9, nullptr);
    EXPECT_EQ(w->toString(), "[a, b, c]");
    w->setElementAt(1, nullptr);
    EXPECT_EQ(w->toString(), "[a, null, c]");
    w->setElementAt(0, "z");
    EXPECT_EQ(w->toString(), "[z, null, c]");
    EXPECT_THROW(w->setElementAt(-1, "q"), std::out_of_range);
    EXPECT_THROW(w->setElementAt(INT_MAX, "q"), std::length_error);  // one past the last countable slot
    EXPECT_EQ(w->toString(), "[z, null, c]");

    w->setMinSize(2);
    EXPECT_EQ(w->size(), 3);
    w->setMinSize(4);
    EXPECT_EQ(w->toString(), "[z, null, c, null]");
}

TEST(NxVector, StripRemoveAndAdd) {
    auto v = nx({"a", nullptr, "b", nullptr, nullptr});
    v->strip();
    EXPECT_EQ(v->toString(), "[a, null, b]");
    EXPECT_EQ(v->capacity(), 3);
    auto allNull = nx({nullptr, nullptr});
    allNull->strip();
    EXPECT_TRUE(allNull->isEmpty());

    auto r = nx({0, 1, 2, 3, 4});
    r->removeElementsAt(1, 2);
    EXPECT_EQ(r->toString(), "[0, 3, 4]");
    r->removeElementsAt(2, 10);  // stops at the end
    EXPECT_EQ(r->toString(), "[0, 3]");
    r->removeElementsAt(5, 1);
    EXPECT_EQ(r->toString(), "[0, 3]");

    NxVector s;
    s.add("x");
    s.add("x");
    s.add(nullptr);
    s.add(nullptr);
    EXPECT_EQ(s.toString(), "[x, null]");
}

TEST(NxVector, EqualsAndArrays) {
    auto a = nx({"a", nullptr, 2});
    EXPECT_TRUE(a->equals(nx({"a", nullptr, 2})));
    EXPECT_FALSE(a->equals(nx({"a", "b", 2})));
    EXPECT_FALSE(a->equals(nx({"a", nullptr})));
    EXPECT_FALSE(a->equals(std::shared_ptr<NxVector>()));

    auto copy = a->getArrayCopy();
    ASSERT_EQ(copy.size(), 3u);
    a->copyFrom({});
    EXPECT_TRUE(a->isEmpty());
    EXPECT_EQ(copy[0].asString(), "a");
    EXPECT_EQ(a->clone()->getClassName(), "norvex.util.NxVector");
}

TEST(NxVector, FromVectorConvertsNestedVectors) {
    auto inner = host::create<host::Vector>();
    inner->addElement("i");
    auto src = host::create<host::Vector>();
    src->addElement("a");
    src->addElement(inner);
    src->addElement(inner);
    src->addElement(nullptr);

    NxVector v(src);
    ASSERT_EQ(v.size(), 4);
    auto converted = v.elementAt(1).as<NxVector>();
    ASSERT_TRUE(converted);
    EXPECT_NE(converted.get(), inner.get());
    EXPECT_EQ(converted->toString(), "[i]");
    EXPECT_EQ(v.elementAt(2).as<NxVector>(), converted);  // shared stays shared
    EXPECT_TRUE(v.elementAt(3).isNull());
    EXPECT_TRUE(NxVector(std::shared_ptr<host::Vector>()).isEmpty());

    // A vector that holds itself converts without endless recursion.
    auto self = host::create<host::Vector>();
    self->addElement(self);
    NxVector fromSelf(self);
    auto nested = fromSelf.elementAt(0).as<NxVector>();
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->elementAt(0).as<NxVector>(), nested);
    nested->removeAllElements();
    self->removeAllElements();
}

TEST(NxFixedVector, KeepsNewestFirst) {
    NxFixedVector f(3);
    for (const char* s : {"a", "b", "c"}) f.addAtTop(s);
    EXPECT_EQ(f.toString(), "[c, b, a]");
    f.addAtTop("d");
    EXPECT_EQ(f.toString(), "[d, c, b]");
    f.trimToSize();
    f.addAtTop("e");
    EXPECT_EQ(f.toString(), "[e, d, c]");

    NxFixedVector none(0);
    none.addAtTop("x");
    EXPECT_TRUE(none.isEmpty());
    EXPECT_THROW(NxFixedVector(-1), std::invalid_argument);
}

namespace {

// A key whose hash code is negative as a 32-bit value.
class NegativeKey : public host::Object {
    HOST_OBJECT(NegativeKey, "test.NegativeKey", host::Object)
public:
    explicit NegativeKey(int h) : h_(h) {}
    std::size_t hashCode() const override { return std::size_t(uint32_t(h_)); }
    bool equals(const host::Object& o) const override {
        auto* k = dynamic_cast<const NegativeKey*>(&o);
        return k && k->h_ == h_;
    }

private:
    int h_;
};

}  // namespace

TEST(NxCache, ReplacesEvictsAndMapsNegativeHashes) {
    NxCache c(1, 2);
    c.addToCache("k1", 1);
    c.addToCache("k2", 2);
    c.addToCache("k1", 10);  // replaced in place, order kept
    EXPECT_TRUE(c.getFromCache("k1").equals(10));
    c.addToCache("k3", 3);  // the oldest pair (k1) falls out
    EXPECT_TRUE(c.getFromCache("k1").isNull());
    EXPECT_TRUE(c.getFromCache("k2").equals(2));
    EXPECT_TRUE(c.getFromCache("k3").equals(3));
    std::string dump = c.toString();
    EXPECT_EQ(dump.rfind("Cache:\n", 0), 0u);
    EXPECT_NE(dump.find("Bin: 1"), std::string::npos);
    EXPECT_NE(dump.find("Element: k3 = 3"), std::string::npos);

    NxCache neg(7, 2);
    for (int h : {-1, -7, -8, INT32_MIN, INT32_MAX}) {
        Value key(host::create<NegativeKey>(h));
        int b = neg.bucketIndex(key);
        EXPECT_GE(b, 0);
        EXPECT_LT(b, 7);
        neg.addToCache(key, h);
        EXPECT_TRUE(neg.getFromCache(Value(host::create<NegativeKey>(h))).equals(h));
    }
    EXPECT_EQ(neg.bucketIndex(Value(host::create<NegativeKey>(-1))), 6);
    EXPECT_THROW(NxCache(0, 2), std::invalid_argument);
}

TEST(OmbuClasses, RegisteredWithTheRuntime) {
    auto& reg = host::ClassRegistry::instance();
    for (const char* n : {"norvex.util.NxVector", "norvex.util.NxFixedVector", "norvex.util.NxCache",
                          "norvex.util.Nxqsort"})
        EXPECT_NE(reg.find(n), nullptr) << n;
    EXPECT_TRUE(host::create<NxVector>()->instanceOf("host.Vector"));
}
