#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "chart/source/AppletDataSource.h"
#include "chart/base/ChartDiagnostics.h"
#include "chart/source/URLDataSource.h"
#include "host/page/Applet.h"
#include "tests/support/LoopbackHttpServer.h"

using namespace norvex::chart;

namespace {

const std::string kData = std::string(NORVEX_SOURCE_DIR) + "/examples/data";

}  // namespace

// The examples/data folder served over http on loopback.
class URLDataSourceHttp : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = std::make_unique<testsupport::LoopbackHttpServer>(kData); }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override {
        if (!server_->isUp()) GTEST_SKIP() << "no python3 http.server available";
    }
    static std::string hostPort() { return server_->hostPort(); }

    static inline std::unique_ptr<testsupport::LoopbackHttpServer> server_;
};

TEST_F(URLDataSourceHttp, ReadsServedDataThroughEveryConstructor) {
    URLDataSource byText("http://" + hostPort() + "/quarterly-sales.dat");
    EXPECT_EQ(byText.getName(), "Sales");
    EXPECT_EQ(byText.getDataItem(2, 3).asDouble(), 31);

    URLDataSource byHost(hostPort(), "/sensor-holes.dat");
    EXPECT_EQ(byHost.getName(), "Sensors");
    URLDataSource byParts("http", hostPort(), "scatter.dat");
    EXPECT_EQ(byParts.getNumRows(), 4);
    URLDataSource relative(host::URL("http://" + hostPort() + "/sub/page.html"), "../growth-exponents.dat");
    EXPECT_EQ(relative.getName(), "Growth");
    EXPECT_EQ(relative.getURL().toString(), "http://" + hostPort() + "/growth-exponents.dat");
}

TEST_F(URLDataSourceHttp, MissingResourceIsAnIOError) {
    EXPECT_THROW(URLDataSource("http://" + hostPort() + "/nothing.dat"), host::IOException);
}

TEST(URLDataSource, ServerThatIsNotThereIsAClearIOError) {
    int port = testsupport::freeLoopbackPort();  // nobody listens there
    std::string url = "http://127.0.0.1:" + std::to_string(port) + "/data.dat";
    try {
        URLDataSource s(url);
        FAIL() << "read from a server that is not there";
    } catch (const host::IOException& e) {
        EXPECT_NE(std::string(e.what()).find(url), std::string::npos) << e.what();
    }
    EXPECT_THROW(URLDataSource("not a url"), host::MalformedURLException);
}

TEST(URLDataSource, ReadsFileURLs) {
    URLDataSource s(host::URL::fromFile(kData + "/quarterly-sales.dat"));
    EXPECT_EQ(s.getSeriesName(1), "West");
}

TEST(AppletDataSource, ParsesTheDataParameterAndAnnouncesIt) {
    std::vector<std::string> lines;
    ChartDiagnostics::setSink([&](const std::string& line) { lines.push_back(line); });
    auto applet = host::create<host::Applet>();
    applet->setParameter("data", "ARRAY 0 2 5 6");
    AppletDataSource s(applet.get());
    ChartDiagnostics::setSink({});
    EXPECT_EQ(s.getDataItem(0, 1).asDouble(), 6);
    EXPECT_EQ(lines, (std::vector<std::string>{"Parsing data from:ARRAY 0 2 5 6"}));

    auto bare = host::create<host::Applet>();
    try {
        AppletDataSource none(bare.get());
        FAIL();
    } catch (const host::IOException& e) {
        EXPECT_STREQ(e.what(), "No DATA tag");
    }
    EXPECT_THROW(AppletDataSource(nullptr), host::IOException);
}

TEST(ChartDiagnostics, WritesToStandardOutputByDefault) {
    testing::internal::CaptureStdout();
    ChartDiagnostics::print("Parsing data from:x");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Parsing data from:x\n");
}
