// Reading outside input is bounded: local files by size and kind, URLs of a page by
// remembered failures and a deadline.
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "host/graphics/Image.h"
#include "host/page/Applet.h"
#include "host/runtime/URL.h"

using host::FetchSession;
using host::IOException;
using host::URL;

namespace fs = std::filesystem;

namespace {

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const IOException& e) {
        return e.what();
    }
    return "(no exception)";
}

struct TempDir {
    fs::path path;
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "boundedtest-XXXXXX").string();
        path = mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path); }
};

// A loopback server that accepts connections, counts them and closes each at once
// without answering.
class ClosingServer {
public:
    ClosingServer() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(fd_, 16);
        socklen_t len = sizeof a;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] {
            while (true) {
                int c = accept(fd_, nullptr, nullptr);
                if (c < 0 || stop_) {
                    if (c >= 0) close(c);
                    return;
                }
                ++accepted_;
                close(c);
            }
        });
    }
    ~ClosingServer() {
        stop_ = true;
        shutdown(fd_, SHUT_RDWR);  // wakes the accept
        thread_.join();
        close(fd_);
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int accepted() const { return accepted_; }

private:
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

}  // namespace

TEST(BoundedReads, OnlyRegularFilesAreRead) {
    TempDir dir;
    std::string fifo = (dir.path / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO without a writer is refused at once instead of blocking.
    EXPECT_EQ(messageOf([&] { URL::readFile(fifo); }), "Cannot read file '" + fifo + "': it is not a regular file");
    EXPECT_EQ(messageOf([] { URL("file:/dev/zero").readAll(); }),
              "Cannot read file '/dev/zero': it is not a regular file");
    EXPECT_EQ(messageOf([] { URL::fromFile("/dev/urandom").readLines(); }),
              "Cannot read file '/dev/urandom': it is not a regular file");
    EXPECT_EQ(messageOf([&] { URL::fromFile(dir.path.string()).readAll(); }),
              "Cannot read file '" + dir.path.string() + "': it is a directory");
    std::string missing = (dir.path / "none").string();
    EXPECT_EQ(messageOf([&] { URL::readFile(missing); }),
              "Cannot open file '" + missing + "': No such file or directory");
}

TEST(BoundedReads, FilesAreReadUpToTheLimit) {
    TempDir dir;
    fs::path file = dir.path / "data.txt";
    std::ofstream(file, std::ios::binary) << std::string(1000, 'x');
    EXPECT_EQ(URL::readFile(file.string(), 1000).size(), 1000u);
    EXPECT_EQ(messageOf([&] { URL::readFile(file.string(), 999); }),
              "Cannot read file '" + file.string() + "': it is larger than the limit of 999 bytes");
    // The default limit is the one of http: (a sparse file costs no disk space).
    fs::path big = dir.path / "big.dat";
    std::ofstream(big).close();
    fs::resize_file(big, URL::kMaxRead + 1);
    EXPECT_EQ(messageOf([&] { URL::fromFile(big.string()).readAll(); }),
              "Cannot read file '" + big.string() + "': it is larger than the limit of 256 MiB");
    fs::resize_file(big, 0);
    EXPECT_EQ(URL::fromFile(big.string()).readAll(), "");
}

TEST(BoundedReads, ImagesNameTheCauseOfAFailedRead) {
    TempDir dir;
    auto fromDir = host::Image::load(dir.path.string());
    ASSERT_TRUE(fromDir->hasError());
    EXPECT_NE(fromDir->errorMessage().find("it is a directory"), std::string::npos) << fromDir->errorMessage();
    auto fromDevice = host::Image::load("/dev/zero");
    ASSERT_TRUE(fromDevice->hasError());
    EXPECT_NE(fromDevice->errorMessage().find("not a regular file"), std::string::npos) << fromDevice->errorMessage();
}

TEST(BoundedReads, EmptyImageNameIsAFailedImageNotThePage) {
    auto applet = host::create<host::Applet>();
    auto context = std::make_shared<host::PageContext>();
    applet->setAppletContext(context);
    applet->setDocumentBase(URL("file:/pages/page.html"));
    for (const char* name : {"", "  "}) {
        auto im = applet->getImage(applet->getDocumentBase(), name);
        ASSERT_TRUE(im->hasError());
        EXPECT_EQ(im->errorMessage(), "Error loading image: the image name is empty");
    }
    EXPECT_EQ(context->imageErrors().size(), 2u);
}

TEST(BoundedReads, PageRemembersFailedURLs) {
    ClosingServer server;
    auto session = std::make_shared<FetchSession>();
    FetchSession::Scope scope(session);
    std::string first = messageOf([&] { URL(server.url("/a.png")).readAll(); });
    EXPECT_NE(first.find(server.url("/a.png")), std::string::npos) << first;
    EXPECT_EQ(server.accepted(), 1);
    // The same URL fails again with the same message, without a new transfer.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(messageOf([&] { URL(server.url("/a.png#x")).readAll(); }), first);
    EXPECT_EQ(server.accepted(), 1);
    // Another URL is tried.
    messageOf([&] { URL(server.url("/b.png")).readAll(); });
    EXPECT_EQ(server.accepted(), 2);
    EXPECT_TRUE(session->failure(server.url("/b.png")).has_value());
}

TEST(BoundedReads, NoTransferStartsAfterThePagesDeadline) {
    ClosingServer server;
    {
        FetchSession::Scope scope(std::make_shared<FetchSession>(std::chrono::milliseconds(0)));
        std::string msg = messageOf([&] { URL(server.url("/c.txt")).readAll(); });
        EXPECT_EQ(msg, "Cannot read URL " + server.url("/c.txt") + ": the page's 0 s for fetching are used up");
        EXPECT_EQ(server.accepted(), 0);
    }
    // Outside the page's session the URL is fetched again.
    EXPECT_EQ(FetchSession::current(), nullptr);
    messageOf([&] { URL(server.url("/c.txt")).readAll(); });
    EXPECT_EQ(server.accepted(), 1);
}

TEST(BoundedReads, ParametersAreFoundByLowerCasedName) {
    auto applet = host::create<host::Applet>();
    applet->setParameters({{"Data", "first"}, {"DATA", "second"}, {"child1.Label", "x"}});
    EXPECT_EQ(applet->getParameter("data"), "first");
    EXPECT_EQ(applet->getParameter("CHILD1.LABEL"), "x");
    EXPECT_FALSE(applet->getParameter("child1").has_value());
    // Setting replaces the first match in place and appends a new name.
    applet->setParameter("dAtA", "changed");
    applet->setParameter("New", "n");
    using Params = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(applet->getParameters(),
              (Params{{"Data", "changed"}, {"DATA", "second"}, {"child1.Label", "x"}, {"New", "n"}}));
    EXPECT_EQ(applet->getParameter("new"), "n");
    // Replacing the whole list drops the old names.
    applet->setParameters({{"other", "o"}});
    EXPECT_FALSE(applet->getParameter("data").has_value());
    EXPECT_EQ(applet->getParameter("OTHER"), "o");
}
