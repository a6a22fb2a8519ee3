#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "host/page/Page.h"

using host::IOException;
using host::Page;
using host::PageError;
using host::URL;

namespace {

const URL kBase("file:/site/pages/chart.html");

Page parse(const std::string& html) { return Page::parse(html, kBase); }

std::string errorOf(const std::string& html) {
    try {
        parse(html);
    } catch (const PageError& e) {
        return e.what();
    }
    return "(no error)";
}

using Params = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(Page, ReadsAppletAttributesAndParamsInOrder) {
    Page p = parse(R"(<html><body>
        <!-- <applet code="Wrong" width=1 height=1> -->
        <APPLET Code="norvex/chart/NxChart.class" WIDTH=400 height='300' name=main codebase="../lib">
          <param name="header.text" value="Sales &amp; costs">
          <PARAM NAME=data VALUE=file.dat>
          <param name='title' value='It&#39;s &lt;big&gt; &quot;now&quot;'>
          <param value="v first" name="swapped"/>
          <param name="empty">
          <param name="gt" value="a>b">
        </applet>
        <param name="after" value="ignored">
        <applet code="Second" width=1 height=1></applet>
        </body></html>)");
    EXPECT_EQ(p.documentBase, kBase);
    EXPECT_EQ(p.applet.code, "norvex.chart.NxChart");
    EXPECT_EQ(p.applet.width, 400);
    EXPECT_EQ(p.applet.height, 300);
    EXPECT_EQ(p.applet.name, "main");
    EXPECT_EQ(p.applet.codebase, "../lib");
    Params want = {{"header.text", "Sales & costs"}, {"data", "file.dat"},  {"title", "It's <big> \"now\""},
                   {"swapped", "v first"},           {"empty", ""},          {"gt", "a>b"}};
    EXPECT_EQ(p.applet.params, want);
    EXPECT_EQ(p.applet.param("DATA"), "file.dat");
    EXPECT_FALSE(p.applet.param("after").has_value());
    EXPECT_EQ(URL(p.documentBase, p.applet.param("data").value()).toString(), "file:/site/pages/file.dat");
}

TEST(Page, DecodesEntitiesAndKeepsUnknownOnes) {
    Page p = parse(R"(<applet code=A width=1 height=1>
        <param name=n value="&#65;&#x42;&#xe9;&#233;|&unknown;|&amp|&#xFFFFFFFFFF;|&#0;|a&b">)");
    ASSERT_EQ(p.applet.params.size(), 1u);
    EXPECT_EQ(p.applet.params[0].second, "AB\xC3\xA9\xC3\xA9|&unknown;|&amp|\xEF\xBF\xBD|\xEF\xBF\xBD|a&b");
}

TEST(Page, SkipsScriptsDoctypeAndStrayAngles) {
    Page p = parse("<!DOCTYPE html><script>var s = '<applet code=X width=1 height=1>';</SCRIPT>"
                   "a < b <3 <applet code=Real width=2 height=3>");
    EXPECT_EQ(p.applet.code, "Real");
    EXPECT_TRUE(p.applet.params.empty());
}

TEST(Page, ReportsBadPagesClearly) {
    EXPECT_EQ(errorOf("<html><body>no component</body></html>"), "file:/site/pages/chart.html: no <applet> tag");
    EXPECT_EQ(errorOf("<applet width=1 height=1>"),
              "file:/site/pages/chart.html: <applet> has no code attribute");
    EXPECT_NE(errorOf("<applet code=\" \" width=1 height=1>").find("no code"), std::string::npos);
    EXPECT_NE(errorOf("<applet code=A height=1>").find("no width attribute"), std::string::npos);
    for (const char* bad : {"abc", "-5", "100%", "", "1e3", "12px"})
        EXPECT_NE(errorOf(std::string("<applet code=A width=10 height=\"") + bad + "\">").find("height"),
                  std::string::npos)
            << bad;
    EXPECT_NE(errorOf("<applet code=A width=0 height=1>").find("greater than 0"), std::string::npos);
    EXPECT_NE(errorOf("<applet code=A width=99999999999999999999 height=1>").find("larger"), std::string::npos);
    EXPECT_NE(errorOf("<applet code=A width=1 height=1").find("unterminated <applet> tag"), std::string::npos);
    EXPECT_NE(errorOf("<applet code=A width=1 height=1><param name='x value=1>").find("unterminated <param>"),
              std::string::npos);
    EXPECT_NE(errorOf("<!-- <applet code=A width=1 height=1>").find("unterminated comment"), std::string::npos);
    // Leading zeros and spaces around the number are accepted.
    EXPECT_EQ(parse("<applet code=A width=' 007 ' height=5>").applet.width, 7);
}

TEST(Page, EveryPrefixParsesOrFailsCleanly) {
    std::string page = R"(<html><!-- c --><applet code="a/B.class" width="10" height=20>)"
                       R"(<param name=x value='1 &amp; 2'><param name="y" value=&#x41;></applet></html>)";
    for (size_t n = 0; n <= page.size(); ++n) {
        try {
            Page p = parse(page.substr(0, n));
            EXPECT_EQ(p.applet.code, "a.B");
        } catch (const PageError&) {
        }
    }
}

TEST(Page, ReadsFilesAndReportsMissingOnes) {
    namespace fs = std::filesystem;
    std::string tmpl = (fs::temp_directory_path() / "pagetest-XXXXXX").string();
    fs::path dir(mkdtemp(tmpl.data()));
    std::ofstream(dir / "p.html") << "<applet code=norvex.ombu.NxLabel width=50 height=20>"
                                     "<param name=text value=Hi></applet>";
    Page p = Page::read((dir / "p.html").string());
    EXPECT_EQ(p.applet.code, "norvex.ombu.NxLabel");
    EXPECT_EQ(p.documentBase, URL::fromFile((dir / "p.html").string()));
    EXPECT_EQ(Page::read(URL::fromFile((dir / "p.html").string()).toString()).applet.width, 50);

    std::string missing = (dir / "none.html").string();
    try {
        Page::read(missing);
        FAIL() << "no error for a missing page";
    } catch (const PageError&) {
        FAIL() << "a missing page is an I/O error, not a page error";
    } catch (const IOException& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    fs::remove_all(dir);
}
