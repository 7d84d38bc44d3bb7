// The version check over real WinINet under Wine, against a small HTTP server of the test on
// 127.0.0.1.

#include "win32/Win32Internet.h"
#include "update/CheckVersion.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace vantrel::win32 {
namespace {

// Answers every request with one fixed response (or never answers at all).
class LoopbackServer {
  public:
    enum class Mode { Serve, NotFound, ServerError, Silent };

    LoopbackServer(Mode mode, std::string body) : mode_(mode), body_(std::move(body)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0; // any free port
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { AcceptLoop(); });
    }
    ~LoopbackServer() {
        stopping_ = true;
        closesocket(listener_); // ends accept
        thread_.join();
        for (SOCKET held : held_)
            closesocket(held);
        WSACleanup();
    }
    std::string Url(const char* path = "/vtl-version.txt") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    void AcceptLoop() {
        while (!stopping_) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            ReadRequest(client);
            if (mode_ == Mode::Silent) {
                held_.push_back(client); // answered never; closed when the server ends
                continue;
            }
            const std::string response = Response();
            send(client, response.data(), static_cast<int>(response.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }
    static void ReadRequest(SOCKET client) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                return;
            request.append(buffer, static_cast<std::size_t>(got));
        }
    }
    std::string Response() const {
        const std::string status = mode_ == Mode::NotFound      ? "404 Not Found"
                                   : mode_ == Mode::ServerError ? "500 Internal Server Error"
                                                                : "200 OK";
        return "HTTP/1.1 " + status +
               "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body_.size()) +
               "\r\nConnection: close\r\n\r\n" + body_;
    }

    Mode mode_;
    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::vector<SOCKET> held_;
    std::thread thread_;
};

struct FileCase {
    std::string body;
    std::int32_t version;
};

TEST(Win32InternetTest, ReadsTheVersionFileOverHttp) {
    const FileCase cases[] = {
        {"101", 101},
        {"100", 100},
        {"1234", 1234},
        {"101\n", 0},
        {"", 0},
        {std::string(97, ' ') + "42", 42},
        {std::string(100, '1'), 0},
        {"101" + std::string(200, ' '), 0},
    };
    Win32Internet& internet = Win32Internet::ForProcess();
    for (const FileCase& c : cases) {
        LoopbackServer server(LoopbackServer::Mode::Serve, c.body);
        EXPECT_EQ(FetchVersionNumber(internet, server.Url()), c.version) << '"' << c.body << '"';
    }
}

TEST(Win32InternetTest, AMissingFileAnErrorOrAClosedPortGivesNoNumber) {
    Win32Internet& internet = Win32Internet::ForProcess();
    {
        // WinINet opens a 404 like any page; its text is not a number.
        LoopbackServer server(LoopbackServer::Mode::NotFound,
                              "<html><body><h1>404 Not Found</h1></body></html>");
        EXPECT_EQ(FetchVersionNumber(internet, server.Url()), 0);
    }
    {
        // A 404 page whose whole body is a number is still not the version file.
        LoopbackServer server(LoopbackServer::Mode::NotFound, "404");
        EXPECT_EQ(FetchVersionNumber(internet, server.Url()), 0);
    }
    {
        LoopbackServer server(LoopbackServer::Mode::ServerError, "101");
        EXPECT_EQ(FetchVersionNumber(internet, server.Url()), 0);
    }
    std::string closed;
    {
        LoopbackServer server(LoopbackServer::Mode::Serve, "101");
        closed = server.Url();
    }
    EXPECT_EQ(FetchVersionNumber(internet, closed), 0);
}

TEST(Win32InternetTest, TheWorkerFetchesOnItsOwnThread) {
    LoopbackServer server(LoopbackServer::Mode::Serve, "101");
    Win32Internet& internet = Win32Internet::ForProcess();
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<DWORD> noticeThreads;
    std::int32_t ended = -1;
    CheckVersion check(internet, server.Url(),
                       {[] {}, [&] { noticeThreads.push_back(GetCurrentThreadId()); },
                        [&](std::int32_t version) {
                            noticeThreads.push_back(GetCurrentThreadId());
                            ended = version;
                        }});
    check.WaitFor();
    EXPECT_EQ(ended, 101);
    EXPECT_EQ(noticeThreads, (std::vector<DWORD>{uiThread, uiThread}));
}

// Prints how long cancelling takes while the server never answers: the wait is bounded by
// WinINet's time-outs. Slow (tens of seconds), so run by hand:
//   wine vantrel_win32_tests.exe --gtest_also_run_disabled_tests --gtest_filter='*Silent*'
TEST(Win32InternetTest, DISABLED_CancellingWhileTheServerIsSilentEndsWithinTheTimeouts) {
    LoopbackServer server(LoopbackServer::Mode::Silent, "");
    Win32Internet& internet = Win32Internet::ForProcess();
    bool ended = false;
    CheckVersion check(internet, server.Url(), {[] {}, [] {}, [&](std::int32_t) { ended = true; }});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto start = std::chrono::steady_clock::now();
    check.Terminate();
    check.WaitFor();
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("cancel waited %lld ms\n", static_cast<long long>(waited.count()));
    EXPECT_FALSE(ended);
}

} // namespace
} // namespace vantrel::win32
