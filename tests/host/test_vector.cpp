#include <gtest/gtest.h>

#include <stdexcept>

#include "host/runtime/Vector.h"

using host::Value;
using host::Vector;

namespace {

std::shared_ptr<Vector> vec(std::initializer_list<Value> xs) {
    auto v = host::create<Vector>();
    for (const auto& x : xs) v->addElement(x);
    return v;
}

}  // namespace

TEST(Vector, GrowsByIncrementOrDoubling) {
    Vector doubling(2);
    for (int i = 0; i < 3; ++i) doubling.addElement(i);
    EXPECT_EQ(doubling.capacity(), 4);

    Vector stepped(2, 3);
    for (int i = 0; i < 3; ++i) stepped.addElement(i);
    EXPECT_EQ(stepped.capacity(), 5);
    stepped.ensureCapacity(20);
    EXPECT_EQ(stepped.capacity(), 20);
    stepped.trimToSize();
    EXPECT_EQ(stepped.capacity(), 3);

    Vector empty(0);
    empty.addElement("a");
    EXPECT_EQ(empty.size(), 1);
    EXPECT_THROW(Vector(-1), std::invalid_argument);
}

TEST(Vector, InsertRemoveAndSearch) {
    auto v = vec({"a", "c"});
    v->insertElementAt("b", 1);
    v->insertElementAt("d", 3);
    EXPECT_EQ(v->toString(), "[a, b, c, d]");
    EXPECT_THROW(v->insertElementAt("x", 5), std::out_of_range);

    v->addElement("b");
    EXPECT_EQ(v->indexOf("b"), 1);
    EXPECT_EQ(v->indexOf("b", 2), 4);
    EXPECT_EQ(v->lastIndexOf("b"), 4);
    EXPECT_EQ(v->lastIndexOf("b", 3), 1);
    EXPECT_EQ(v->indexOf("z"), -1);

    EXPECT_TRUE(v->removeElement("b"));
    EXPECT_EQ(v->toString(), "[a, c, d, b]");
    EXPECT_FALSE(v->removeElement("z"));
    v->removeElementAt(0);
    EXPECT_EQ(v->toString(), "[c, d, b]");
    EXPECT_THROW(v->removeElementAt(3), std::out_of_range);
    EXPECT_THROW(v->elementAt(-1), std::out_of_range);
    EXPECT_THROW(v->setElementAt("x", 3), std::out_of_range);

    v->setSize(5);
    EXPECT_EQ(v->toString(), "[c, d, b, null, null]");
    v->setSize(1);
    EXPECT_EQ(v->toString(), "[c]");
    v->removeAllElements();
    EXPECT_TRUE(v->isEmpty());
    EXPECT_THROW(v->firstElement(), std::out_of_range);
    EXPECT_THROW(v->lastElement(), std::out_of_range);
}

TEST(Vector, EqualityHashAndClone) {
    auto a = vec({1, "x", nullptr});
    auto b = vec({1, "x", nullptr});
    EXPECT_TRUE(a->equals(*b));
    EXPECT_EQ(a->hashCode(), b->hashCode());
    EXPECT_FALSE(a->equals(*vec({1, "x"})));
    EXPECT_FALSE(a->equals(*vec({1, "x", "y"})));

    auto c = a->clone();
    EXPECT_TRUE(c->equals(*a));
    c->addElement(2);
    EXPECT_EQ(a->size(), 3);  // the clone has its own storage

    // Nested vectors compare by content; a vector holding itself prints safely.
    auto outer1 = vec({Value(vec({1}))});
    auto outer2 = vec({Value(vec({1}))});
    EXPECT_TRUE(outer1->equals(*outer2));
    a->addElement(a);
    EXPECT_EQ(a->toString(), "[1, x, null, (this Collection)]");
    a->hashCode();
    a->removeAllElements();  // break the cycle
}

TEST(Vector, SnapshotAndCopyInto) {
    auto v = vec({"a", "b"});
    std::vector<Value> out(3, Value("z"));
    v->copyInto(out);
    EXPECT_EQ(out[0].asString(), "a");
    EXPECT_EQ(out[2].asString(), "z");

    int n = 0;
    for (const Value& e : v->elements()) {
        v->addElement(e);  // changing the vector does not disturb the loop
        ++n;
    }
    EXPECT_EQ(n, 2);
    EXPECT_EQ(v->size(), 4);
}
