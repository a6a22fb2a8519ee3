#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "chart/AppletDataSource.h"
#include "chart/ChartDiagnostics.h"
#include "chart/URLDataSource.h"
#include "host/Applet.h"

extern char** environ;

using namespace norvex::chart;

namespace {

const std::string kData = std::string(NORVEX_SOURCE_DIR) + "/examples/data";

int freeLoopbackPort() {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    close(s);
    return ntohs(a.sin_port);
}

bool canConnect(int port) {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(s);
    return ok;
}

}  // namespace

// The examples/data folder served over http on loopback.
class URLDataSourceHttp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        port_ = freeLoopbackPort();
        std::string portText = std::to_string(port_);
        const char* argv[] = {"python3", "-m", "http.server", "--bind", "127.0.0.1", portText.c_str(),
                              "--directory", kData.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "python3", &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; pid_ > 0 && i < 200 && !(up_ = canConnect(port_)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    static void TearDownTestSuite() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    void SetUp() override {
        if (!up_) GTEST_SKIP() << "no python3 http.server available";
    }
    static std::string hostPort() { return "127.0.0.1:" + std::to_string(port_); }

    static inline int port_ = 0;
    static inline pid_t pid_ = 0;
    static inline bool up_ = false;
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
    int port = freeLoopbackPort();  // nobody listens there
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
