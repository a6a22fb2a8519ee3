// The object model: class names and chains, creation by name, the dynamic value.
#include <gtest/gtest.h>

#include <cmath>
#include <unordered_set>

#include "host/page/Applet.h"
#include "host/runtime/ClassArray.h"
#include "host/runtime/Value.h"

using namespace host;

namespace {

class Base : public Object {
    HOST_OBJECT(Base, "norvex.test.Base", Object)
public:
    int initCalls = 0;
    std::string seenDefault;
    void initialize() override {
        ++initCalls;
        seenDefault = fieldDefault();
    }
    virtual std::string fieldDefault() const { return "base"; }
};

class Derived : public Base {
    HOST_CREATABLE(Derived, "norvex.test.Derived", Base)
public:
    Derived(Applet*, const std::string& n) : name(n) {}
    std::string fieldDefault() const override { return "derived:" + name; }
    std::string name;
};

class Boxed : public Object {
    HOST_OBJECT(Boxed, "norvex.test.Boxed", Object)
public:
    explicit Boxed(int v) : v(v) {}
    bool equals(const Object& o) const override {
        auto* b = dynamic_cast<const Boxed*>(&o);
        return b && b->v == v;
    }
    std::size_t hashCode() const override { return std::size_t(v); }
    std::string toString() const override { return "Boxed" + std::to_string(v); }
    int v;
};

}  // namespace

TEST(ObjectModel, ClassNamesAndChains) {
    auto d = create<Derived>(nullptr, "x");
    EXPECT_EQ(d->getClassName(), "norvex.test.Derived");
    EXPECT_TRUE(d->instanceOf("norvex.test.Base"));
    EXPECT_TRUE(d->instanceOf("Base"));       // simple names work too
    EXPECT_TRUE(d->instanceOf("host.Object"));
    EXPECT_FALSE(d->instanceOf("Boxed"));
    EXPECT_EQ(Derived::staticClass().simpleName(), "Derived");
    EXPECT_TRUE(Derived::staticClass().isA(Base::staticClass()));
    EXPECT_FALSE(Base::staticClass().isA(Derived::staticClass()));
}

TEST(ObjectModel, InitializeRunsOnceAfterTheMostDerivedConstructor) {
    auto d = create<Derived>(nullptr, "n1");
    EXPECT_EQ(d->initCalls, 1);
    // Virtual dispatch reached the most-derived class: its state was already built.
    EXPECT_EQ(d->seenDefault, "derived:n1");
}

TEST(ObjectModel, RegistryCreatesByFullOrUniqueSimpleName) {
    auto& reg = ClassRegistry::instance();
    reg.add(Derived::staticClass());
    auto o = reg.createObject("norvex.test.Derived", nullptr, "made");
    ASSERT_TRUE(o);
    EXPECT_EQ(cast<Derived>(o)->name, "made");
    EXPECT_EQ(cast<Derived>(o)->initCalls, 1);
    EXPECT_TRUE(reg.createObject("Derived", nullptr, ""));
    EXPECT_FALSE(reg.createObject("norvex.test.Missing", nullptr, ""));
    reg.add(Base::staticClass());
    EXPECT_FALSE(reg.createObject("Base", nullptr, "")) << "abstract classes have no factory";
    reg.remove(Derived::staticClass());
    EXPECT_EQ(reg.find("Derived"), nullptr);
    reg.remove(Base::staticClass());
}

TEST(ObjectModel, DescriptorNamesUseSlashes) {
    EXPECT_EQ(descriptorName(Derived::staticClass()), "norvex/test/Derived");
}

TEST(Value, KindsAndAccessors) {
    EXPECT_TRUE(Value().isNull());
    EXPECT_TRUE(Value(nullptr).isNull());
    EXPECT_TRUE(Value(std::shared_ptr<Boxed>()).isNull()) << "a null object is the null value";
    EXPECT_EQ(Value(7).asInt(), 7);
    EXPECT_EQ(Value(7).asDouble(), 7.0);
    EXPECT_EQ(Value(2.9).asInt(), 2);
    EXPECT_EQ(Value(-2.9).asInt(), -2);
    EXPECT_EQ(Value(1e20).asInt(), INT32_MAX) << "out-of-range doubles saturate, never overflow";
    EXPECT_TRUE(std::isnan(Value("x").asDouble()));
    EXPECT_EQ(Value("abc").asString(), "abc");
    EXPECT_EQ(Value(5).asString(), "") << "asString is for the string kind only";
    EXPECT_TRUE(Value(int64_t(5)).isNumber());
    auto b = std::make_shared<Boxed>(3);
    EXPECT_EQ(Value(b).as<Boxed>()->v, 3);
    EXPECT_EQ(Value(b).as<Derived>(), nullptr);
    EXPECT_TRUE(Value(b).instanceOf("Boxed"));
}

TEST(Value, StringForms) {
    EXPECT_EQ(Value().toString(), "null");
    EXPECT_EQ(Value(true).toString(), "true");
    EXPECT_EQ(Value(-12).toString(), "-12");
    EXPECT_EQ(Value(2.0).toString(), "2.0");
    EXPECT_EQ(Value(2.5).toString(), "2.5");
    EXPECT_EQ(Value(0.001).toString(), "0.001");
    EXPECT_EQ(Value(0.0001).toString(), "1.0E-4");
    EXPECT_EQ(Value(1e7).toString(), "1.0E7");
    EXPECT_EQ(Value(1234567.0).toString(), "1234567.0");
    EXPECT_EQ(Value(-1.25e-5).toString(), "-1.25E-5");
    EXPECT_EQ(Value(0.1 + 0.2).toString(), "0.30000000000000004");
    EXPECT_EQ(doubleToString(std::nan("")), "NaN");
    EXPECT_EQ(doubleToString(-INFINITY), "-Infinity");
    EXPECT_EQ(Value(Color(1, 2, 3)).toString(), "Color[r=1,g=2,b=3]");
    EXPECT_EQ(Value(std::make_shared<Boxed>(4)).toString(), "Boxed4");
}

TEST(Value, EqualityAndHashing) {
    EXPECT_EQ(Value(1), Value(1));
    EXPECT_NE(Value(1), Value(1.0)) << "different kinds never compare equal";
    EXPECT_NE(Value(1), Value(int64_t(1)));
    EXPECT_EQ(Value("a"), Value(std::string("a")));
    EXPECT_EQ(Value(std::nan("")), Value(std::nan("")));
    EXPECT_NE(Value(0.0), Value(-0.0));
    EXPECT_EQ(Value(), Value());
    EXPECT_NE(Value(), Value(0));
    auto a = std::make_shared<Boxed>(9), b = std::make_shared<Boxed>(9);
    EXPECT_EQ(Value(a), Value(b)) << "objects compare by their equals";
    EXPECT_EQ(Value(a).hashCode(), Value(b).hashCode());
    std::unordered_set<Value, ValueHash> set{Value(1), Value("1"), Value(a)};
    EXPECT_EQ(set.count(Value(b)), 1u);
    EXPECT_EQ(set.count(Value(1.0)), 0u);
}

TEST(Value, DatesFollowTheLocalZone) {
    // TZ=UTC under ctest.
    Date d(int64_t(0));
    EXPECT_EQ(d.getYear(), 70);
    EXPECT_EQ(d.getMonth(), 0);
    EXPECT_EQ(d.getDate(), 1);
    EXPECT_EQ(d.getDay(), 4);  // a Thursday
    Date e(126, 11, 31, 23, 59, 59);
    e.setSeconds(60);  // rolls into the next year
    EXPECT_EQ(e.getYear(), 127);
    EXPECT_EQ(e.getMonth(), 0);
    EXPECT_EQ(e.getHours(), 0);
    Date neg(int64_t(-1));  // one millisecond before the epoch
    EXPECT_EQ(neg.getYear(), 69);
    EXPECT_EQ(neg.getSeconds(), 59);
}

TEST(ColorTest, BrighterAndDarker) {
    EXPECT_EQ(Color(100, 50, 0).darker(), Color(70, 35, 0));
    EXPECT_EQ(Color(100, 50, 0).brighter(), Color(142, 71, 0));
    EXPECT_EQ(Color::black.brighter(), Color(3, 3, 3));
    EXPECT_EQ(Color(1, 0, 0).brighter(), Color(4, 0, 0));
    EXPECT_EQ(Color::white.brighter(), Color::white);
    EXPECT_EQ(Color(300, -5, 10).getRed(), 255);
    EXPECT_EQ(Color::fromRGB(0x123456).getRGB(), int32_t(0xff123456u));
}
