// The reading thread of the rows' pictures, against a reader the test holds shut or lets
// through: order, answers, a refused message posted again, a thread that cannot go on, and a
// Stop that never waits long and leaves a stuck read behind safely.
#include "platform/PictureWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;

// Reads block while the gate is shut. Shared, so that a read left behind may outlive a test
// body's locals.
struct GatedReader : PictureReaderApi {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = true;
    std::vector<std::string> reads; // first path, " urgent" when urgent
    std::thread::id begunOn, readOn;
    int begun = 0, ended = 0;
    bool failToBegin = false; // as when the thread runs out of memory

    void BeginThread() override {
        const std::lock_guard<std::mutex> lock(mutex);
        ++begun;
        begunOn = std::this_thread::get_id();
        if (failToBegin)
            throw std::bad_alloc();
    }
    void EndThread() override {
        const std::lock_guard<std::mutex> lock(mutex);
        ++ended;
        changed.notify_all();
    }
    std::optional<RawIcon> Read(const PictureSource& source, bool urgent) override {
        std::unique_lock<std::mutex> lock(mutex);
        reads.push_back(source.paths.front() + (urgent ? " urgent" : ""));
        readOn = std::this_thread::get_id();
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
        if (source.paths.front() == "broken")
            throw std::runtime_error("the shell failed");
        RawIcon icon;
        icon.colourRead = true;
        icon.colour[0] = static_cast<std::uint8_t>(source.paths.front().size());
        return icon;
    }
    void SetOpen(bool value) {
        const std::lock_guard<std::mutex> lock(mutex);
        open = value;
        changed.notify_all();
    }
    template <typename Condition> bool WaitUntil(Condition condition) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, 10s, condition);
    }
};

PictureSource From(const std::string& path) {
    PictureSource source;
    source.paths = {path};
    return source;
}

struct PictureWorkerTest : ::testing::Test {
    std::shared_ptr<GatedReader> reader = std::make_shared<GatedReader>();
    std::atomic<int> wakes{0};
    int refusedWakes = 0;             // the first messages find the queue full
    std::vector<std::thread> threads; // joined only when the test is over
    std::unique_ptr<PictureWorker> worker = std::make_unique<PictureWorker>(
        *reader, [this] { return ++wakes > refusedWakes; },
        [this](std::function<void()> work) {
            threads.emplace_back(std::move(work));
            return true;
        },
        100ms);

    ~PictureWorkerTest() override {
        reader->SetOpen(true);
        worker.reset();
        for (std::thread& thread : threads)
            thread.join();
    }

    // Takes answers as the user-interface thread does, batch by batch, until `count` came.
    std::vector<PictureAnswer> Collect(std::size_t count, int& batches) {
        std::vector<PictureAnswer> all;
        for (int tries = 0; all.size() < count && tries < 10000; ++tries) {
            std::vector<PictureAnswer> batch = worker->TakeAnswers();
            batches += batch.empty() ? 0 : 1;
            for (PictureAnswer& answer : batch)
                all.push_back(std::move(answer));
            std::this_thread::sleep_for(1ms);
        }
        return all;
    }
};

TEST_F(PictureWorkerTest, UrgentReadsGoFirstAndEveryBatchOfAnswersIsOneMessage) {
    reader->SetOpen(false);
    ASSERT_TRUE(worker->Submit(1, From("a"), false));
    ASSERT_TRUE(reader->WaitUntil([this] { return reader->reads.size() == 1; }));
    worker->Submit(2, From("bb"), false);
    worker->Submit(3, From("ccc"), true);
    worker->Submit(4, From("dddd"), true);
    reader->SetOpen(true);
    int batches = 0;
    const std::vector<PictureAnswer> answers = Collect(4, batches);

    ASSERT_EQ(answers.size(), 4u);
    std::vector<PictureTicket> tickets;
    for (const PictureAnswer& answer : answers)
        tickets.push_back(answer.ticket);
    EXPECT_EQ(tickets, (std::vector<PictureTicket>{1, 3, 4, 2}));
    EXPECT_EQ(answers[1].icon->colour[0], 3); // "ccc"'s own picture
    EXPECT_EQ(reader->reads,
              (std::vector<std::string>{"a", "ccc urgent", "dddd urgent", "bb"}));
    EXPECT_EQ(wakes, batches);
}

TEST_F(PictureWorkerTest, AMessageTheQueueRefusedIsPostedAgainWhileTheAnswerWaits) {
    refusedWakes = 1;
    worker->Submit(1, From("a"), false); // the last request: no later answer would tell
    for (int tries = 0; tries < 1000 && wakes < 2; ++tries)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(wakes, 2);
    EXPECT_EQ(worker->TakeAnswers().size(), 1u);
}

TEST_F(PictureWorkerTest, TheShellIsAskedOnTheReadingThreadOnlyAndAFailedReadIsAnAnswer) {
    worker->Submit(7, From("broken"), true);
    int batches = 0;
    const std::vector<PictureAnswer> answers = Collect(1, batches);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].ticket, 7u);
    EXPECT_FALSE(answers[0].icon);
    worker->Stop();
    EXPECT_TRUE(worker->Finished());
    EXPECT_EQ(reader->begun, 1);
    EXPECT_EQ(reader->ended, 1);
    EXPECT_EQ(reader->begunOn, reader->readOn);
    EXPECT_NE(reader->readOn, std::this_thread::get_id());
}

TEST_F(PictureWorkerTest, StopLeavesAStuckReadBehindAndNothingComesOfIt) {
    reader->SetOpen(false);
    worker->Submit(1, From("slow"), false);
    worker->Submit(2, From("never read"), false);
    ASSERT_TRUE(reader->WaitUntil([this] { return !reader->reads.empty(); }));
    worker->Stop(); // gives up after the limit
    EXPECT_FALSE(worker->Finished());
    EXPECT_FALSE(worker->Submit(3, From("after"), true));
    worker.reset(); // the program goes on ending; the read still runs

    reader->SetOpen(true);
    ASSERT_TRUE(reader->WaitUntil([this] { return reader->ended == 1; }));
    EXPECT_EQ(reader->reads, (std::vector<std::string>{"slow"}));
    EXPECT_EQ(wakes, 0); // its answer is dropped: nobody is told
}

TEST_F(PictureWorkerTest, AThreadThatCannotGoOnEndsReadingAndSaysSo) {
    reader->failToBegin = true;
    ASSERT_TRUE(worker->Submit(1, From("a"), false));
    ASSERT_TRUE(reader->WaitUntil([this] { return reader->ended == 1; })); // COM let go
    for (int tries = 0; tries < 1000 && worker->Submit(2, From("b"), false); ++tries)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(worker->Submit(3, From("c"), true)); // no request queued for nobody
    worker->Stop();
    EXPECT_TRUE(worker->Finished());
    EXPECT_TRUE(reader->reads.empty());
}

TEST_F(PictureWorkerTest, NoThreadUntilTheFirstRead) {
    worker.reset();
    EXPECT_TRUE(threads.empty());
}

} // namespace
} // namespace vantrel
