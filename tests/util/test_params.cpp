#include <gtest/gtest.h>

#include "host/page/Applet.h"
#include "host/ui/Component.h"
#include "util/NxUtilConverter.h"

using norvex::util::NxUtilConverter;
using norvex::util::OptString;
using C = NxUtilConverter;

namespace {

struct ParamFixture : testing::Test {
    std::shared_ptr<host::Applet> app = host::create<host::Applet>();
    std::shared_ptr<host::Canvas> comp = host::create<host::Canvas>();
    void SetUp() override { comp->setName("list1"); }
    void TearDown() override { C::setParamSource(comp.get(), std::nullopt); }
};

}  // namespace

TEST_F(ParamFixture, ComponentNameTakesPrecedence) {
    app->setParameters({{"font", "Courier-plain-10"}, {"List1.Font", "Helvetica-bold-12"}, {"color", "red\nx"}});
    EXPECT_EQ(C::getParam(app.get(), comp.get(), comp->getName(), "font"), OptString("Helvetica-bold-12"));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "font"), OptString("Courier-plain-10"));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), std::string("list2"), "font"), OptString("Courier-plain-10"));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), comp->getName(), "color"), OptString("redx"));  // newline removed
    EXPECT_EQ(C::getParam(app.get(), comp.get(), comp->getName(), "missing"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), comp->getName(), "font"), std::nullopt);
}

TEST_F(ParamFixture, ParameterFileInsideTheAppletElement) {
    C::setParamSource(comp.get(), std::string("<param name=outside value=1234567890>"
                                              "<APPLET code=X><param name=Color value=\"red\"></applet>"
                                              "<param name=after value=1234567890123>"));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "color"), OptString("red"));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "outside"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "after"), std::nullopt);
}

TEST_F(ParamFixture, TagRules) {
    C::setParamSource(comp.get(),
                      std::string("<param name=A value=1>"                      // 20 characters
                                  "<param name=Ab value=1>"                     // 21
                                  "<!param name=commented value=1>"             // starts with '!'
                                  "<param name= spaced value=1234567>"          // white space after name=
                                  "<param name=\"Q\" value=\"quoted\">"         // names kept literally
                                  "<param name=novalue1234 valu=1>"             // no value=
                                  "<PARAM NAME=Upper   VALUE=\"x>"              // lone opening quote
                                  "<param name=one value=\">"                   // a lone quote stays
                                  "<param name=esc value=a\\>b>"));              // escaped '>' stays
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "a"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "ab"), OptString("1"));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "commented"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "spaced"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "\"q\""), OptString("quoted"));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "novalue1234"), std::nullopt);
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "upper"), OptString("x"));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "one"), OptString("\""));
    EXPECT_EQ(C::getParam(nullptr, comp.get(), "esc"), OptString("a\\>b"));
}

TEST_F(ParamFixture, FileTableBeforeAppletAndNoNestedParamFile) {
    app->setParameters({{"paramFile", "p.html"}, {"background", "blue"}, {"foreground", "white"}});
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "paramFile"), OptString("p.html"));
    C::setParamSource(comp.get(), std::string("<param name=background value=green>"
                                              "<param name=paramFile value=other.html>"));
    EXPECT_TRUE(C::hasParamSource(comp.get()));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "background"), OptString("green"));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "foreground"), OptString("white"));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "PARAMFILE"), std::nullopt);
    EXPECT_TRUE(C::toBoolean(app.get(), comp.get(), OptString(), "nothing", true));

    C::setParamSource(comp.get(), std::nullopt);
    EXPECT_FALSE(C::hasParamSource(comp.get()));
    EXPECT_EQ(C::getParam(app.get(), comp.get(), OptString(), "background"), OptString("blue"));
}

TEST(ParamSource, TableOfADestroyedComponentIsNotInherited) {
    auto first = host::create<host::Canvas>();
    const host::Component* address = first.get();
    C::setParamSource(first.get(), std::string("<param name=background value=green>"));
    first.reset();
    // Whatever now lives at that address did not read the file.
    EXPECT_FALSE(C::hasParamSource(address));
}

TEST(ParamSource, MalformedTextNeverFails) {
    auto comp = host::create<host::Canvas>();
    for (const char* text : {"<", "<<<<", "<>", "< >", "<param name=", "\\", "<param name=abcdefghijklmnop\\",
                             "<applet", "</applet><applet", "<param name=x value=\"\"                >"}) {
        EXPECT_NO_THROW(C::setParamSource(comp.get(), std::string(text))) << text;
    }
    C::setParamSource(comp.get(), std::nullopt);
}
