#include "update/CheckVersion.h"

#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>

namespace vantrel {
namespace {

using testing::FakeInternet;
using testing::FakePlatform;

const std::string Url = "http://www.vantrel.example/vtl-version.txt";

TEST(FetchVersionNumberTest, MakesTheWinInetCallsInOrderAndClosesBothHandles) {
    FakePlatform fake;
    fake.internet.content = "101";
    EXPECT_EQ(FetchVersionNumber(fake.internet, Url), 101);
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{
                                  "InternetOpenA agent=Halcyra access=0 flags=0",
                                  "InternetSetOptionA handle=0x100 option=3 value=3",
                                  "InternetSetOptionA handle=0x100 option=2 value=30000",
                                  "InternetSetOptionA handle=0x100 option=6 value=30000",
                                  "InternetSetOptionA handle=0x100 option=5 value=30000",
                                  "InternetOpenUrlA session=0x100 url=" + Url + " flags=0x84400100",
                                  "HttpQueryInfoA handle=0x200 query=0x20000013",
                                  "InternetReadFile handle=0x200 max=100",
                                  "InternetCloseHandle 0x200",
                                  "InternetCloseHandle 0x100",
                              }));
}

struct ContentCase {
    std::optional<std::string> content; // nothing: the read fails
    std::int32_t version;
};

TEST(FetchVersionNumberTest, OnlyAPlainIntegerOfAtMost99BytesCounts) {
    const ContentCase cases[] = {
        {"101", 101},
        {"100", 100},
        {"1234", 1234},
        {"101\n", 0},
        {"", 0},
        {std::nullopt, 0},
        {std::string(97, ' ') + "42", 42},  // 99 bytes
        {std::string(98, ' ') + "42", 0},   // 100 bytes: the file may go on
        {"101" + std::string(150, ' '), 0}, // longer: cut at 100 by the read
        {"<html><body>Not found</body></html>", 0},
    };
    for (const ContentCase& c : cases) {
        FakePlatform fake;
        fake.internet.content = c.content;
        EXPECT_EQ(FetchVersionNumber(fake.internet, Url), c.version)
            << (c.content ? *c.content : "<read fails>");
    }
}

TEST(FetchVersionNumberTest, OnlyAnAnswerOf200IsRead) {
    // A server's error page may well be a number: "404" for 404, "500" for 500.
    for (const std::uint32_t status : {404u, 500u, 301u, 204u}) {
        FakePlatform fake;
        fake.internet.status = status;
        fake.internet.content = std::to_string(status);
        EXPECT_EQ(FetchVersionNumber(fake.internet, Url), 0) << status;
        EXPECT_TRUE(fake.log.Matching("InternetReadFile").empty()) << status;
        EXPECT_EQ(
            fake.log.Matching("InternetCloseHandle"),
            (std::vector<std::string>{"InternetCloseHandle 0x200", "InternetCloseHandle 0x100"}))
            << status;
    }
    FakePlatform unknown;
    unknown.internet.status = std::nullopt;
    unknown.internet.content = "101";
    EXPECT_EQ(FetchVersionNumber(unknown.internet, Url), 0);
    EXPECT_TRUE(unknown.log.Matching("InternetReadFile").empty());
}

TEST(FetchVersionNumberTest, FailuresCloseWhatWasOpened) {
    FakePlatform noSession;
    noSession.internet.openFails = true;
    EXPECT_EQ(FetchVersionNumber(noSession.internet, Url), 0);
    EXPECT_TRUE(noSession.log.Matching("InternetCloseHandle").empty());
    EXPECT_TRUE(noSession.log.Matching("InternetSetOptionA").empty());

    FakePlatform noFile;
    noFile.internet.openUrlFails = true;
    EXPECT_EQ(FetchVersionNumber(noFile.internet, Url), 0);
    EXPECT_TRUE(noFile.log.Matching("InternetReadFile").empty());
    EXPECT_EQ(noFile.log.Matching("InternetCloseHandle"),
              (std::vector<std::string>{"InternetCloseHandle 0x100"}));

    FakePlatform throwing;
    throwing.internet.readThrows = true;
    EXPECT_EQ(FetchVersionNumber(throwing.internet, Url), 0);
    EXPECT_EQ(throwing.log.Matching("InternetCloseHandle"),
              (std::vector<std::string>{"InternetCloseHandle 0x200", "InternetCloseHandle 0x100"}));
}

// Stands in for the user-interface thread: the worker's wake-ups arrive here, and the test
// thread serves them as the message loop would.
class UiThread {
  public:
    CheckVersion::Notices Notices() {
        return {[this] { Wake(); }, [this] { record_.push_back("started"); },
                [this](std::int32_t version) {
                    record_.push_back("ended " + std::to_string(version));
                }};
    }
    // Serves wake-ups until the given number of notices have been served.
    void Serve(CheckVersion& check, int notices) {
        for (int served = 0; served < notices; ++served) {
            std::unique_lock<std::mutex> lock(mutex_);
            ASSERT_TRUE(
                woken_.wait_for(lock, std::chrono::seconds(10), [&] { return wakes_ > 0; }));
            --wakes_;
            lock.unlock();
            check.RunPendingNotice();
        }
    }
    const std::vector<std::string>& Record() const { return record_; } // UI thread only

  private:
    void Wake() {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++wakes_;
        woken_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable woken_;
    int wakes_ = 0;
    std::vector<std::string> record_;
};

TEST(CheckVersionTest, NoticesRunOnTheServingThreadAroundTheFetch) {
    FakePlatform fake;
    fake.internet.content = "1234";
    UiThread ui;
    CheckVersion check(fake.internet, Url, ui.Notices());
    ui.Serve(check, 2);
    check.WaitFor();
    EXPECT_EQ(ui.Record(), (std::vector<std::string>{"started", "ended 1234"}));
    EXPECT_EQ(check.Result(), 1234);
}

TEST(CheckVersionTest, TerminatedBeforeItsFirstNoticeChangesNothing) {
    FakePlatform fake;
    UiThread ui;
    CheckVersion check(fake.internet, Url, ui.Notices());
    check.Terminate();
    check.WaitFor();
    EXPECT_TRUE(ui.Record().empty());
}

TEST(CheckVersionTest, TerminatedDuringTheFetchPostsNoResult) {
    FakePlatform fake;
    fake.internet.content = "101";
    std::promise<void> inside;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    fake.internet.duringOpenUrl = [&] {
        inside.set_value();
        released.wait();
    };
    UiThread ui;
    CheckVersion check(fake.internet, Url, ui.Notices());
    ui.Serve(check, 1);
    inside.get_future().wait();
    check.Terminate();
    release.set_value();
    check.WaitFor();
    EXPECT_EQ(ui.Record(), (std::vector<std::string>{"started"}));
    EXPECT_EQ(check.Result(), 101); // fetched, but nobody is told
}

TEST(CheckVersionTest, WaitingServesTheNoticesWhenTheWakeUpsGetLost) {
    FakePlatform fake;
    fake.internet.content = "101";
    std::vector<std::string> record;
    CheckVersion check(fake.internet, Url,
                       {[] {}, [&] { record.push_back("started"); },
                        [&](std::int32_t version) { record.push_back(std::to_string(version)); }});
    check.WaitFor();
    EXPECT_EQ(record, (std::vector<std::string>{"started", "101"}));
}

TEST(CheckVersionTest, DestroyingARunningCheckWaitsWithoutDeadlock) {
    FakePlatform fake;
    std::vector<std::string> record;
    {
        CheckVersion check(fake.internet, Url,
                           {[] {}, [&] { record.push_back("started"); },
                            [&](std::int32_t) { record.push_back("ended"); }});
    }
    EXPECT_TRUE(record.empty());
}

TEST(CheckVersionTest, AFailingNoticeStillReleasesTheWorker) {
    FakePlatform fake;
    fake.internet.content = "7";
    std::vector<std::string> record;
    CheckVersion check(fake.internet, Url,
                       {[] {}, [] { throw std::runtime_error("notice failed"); },
                        [&](std::int32_t version) { record.push_back(std::to_string(version)); }});
    check.WaitFor();
    EXPECT_EQ(record, (std::vector<std::string>{"7"}));
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

// Holds the worker inside OpenUrl until released, like a server that never answers under
// Wine, and tells when the worker has made its last call.
class StuckInternet : public InternetApi {
  public:
    std::promise<void> release;
    std::promise<void> lastCall;

    InternetHandle Open(const std::string&, std::uint32_t, std::uint32_t) override { return 1; }
    bool SetOption(InternetHandle, std::uint32_t, std::uint32_t) override { return true; }
    InternetHandle OpenUrl(InternetHandle, const std::string&, std::uint32_t) override {
        released_.wait();
        return 0;
    }
    std::optional<std::uint32_t> StatusCode(InternetHandle) override { return {}; }
    std::optional<std::string> Read(InternetHandle, std::uint32_t) override { return {}; }
    void Close(InternetHandle) override { lastCall.set_value(); } // the session, last

  private:
    std::shared_future<void> released_ = release.get_future().share();
};

TEST(CheckVersionTest, AWorkerStuckInWinInetIsLeftBehindAndChangesNothing) {
    StuckInternet internet; // outlives the worker: the test waits for its last call below
    std::vector<std::string> record;
    {
        CheckVersion check(internet, Url,
                           {[] {}, [&] { record.push_back("started"); },
                            [&](std::int32_t) { record.push_back("ended"); }},
                           std::chrono::milliseconds(50));
        while (record.empty()) // waiting serves the start notice
            check.WaitFor(std::chrono::milliseconds(10));
        EXPECT_FALSE(check.WaitFor(std::chrono::milliseconds(50)));
    } // gives up after the stop limit: a wait for ever would never reach the release below
    internet.release.set_value();
    internet.lastCall.get_future().wait();
    EXPECT_EQ(record, (std::vector<std::string>{"started"}));
}

} // namespace
} // namespace vantrel
