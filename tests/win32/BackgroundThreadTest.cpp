// Threads nobody waits for, under Wine: the drive icons' lookups run on them (issue 18).

#include "win32/BackgroundThread.h"
#include "win32/WinHeaders.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace vantrel::win32 {
namespace {

TEST(BackgroundThreadTest, RunsTheWorkOnAThreadOfItsOwn) {
    std::atomic<DWORD> ranOn{0};
    ASSERT_TRUE(RunInBackground([&] { ranOn = GetCurrentThreadId(); }));
    for (int tenths = 0; tenths < 100 && ranOn == 0; ++tenths)
        Sleep(100);
    EXPECT_NE(ranOn.load(), 0u);
    EXPECT_NE(ranOn.load(), GetCurrentThreadId());
}

TEST(BackgroundThreadTest, WhatTheWorkThrowsStaysInItsThread) {
    std::atomic<bool> ran{false};
    ASSERT_TRUE(RunInBackground([&] {
        ran = true;
        throw 42;
    }));
    for (int tenths = 0; tenths < 100 && !ran; ++tenths)
        Sleep(100);
    Sleep(100);
    EXPECT_TRUE(ran);
}

TEST(BackgroundThreadTest, AWaitableThreadIsWaitedForBeforeTheNextWorkAndAtItsEnd) {
    std::atomic<int> ended{0};
    std::atomic<DWORD> ranOn{0};
    {
        WaitableThread thread;
        ASSERT_TRUE(thread.Start([&] {
            Sleep(200);
            ranOn = GetCurrentThreadId();
            ++ended;
        }));
        ASSERT_TRUE(thread.Start([&] { ended += ended == 1 ? 10 : 100; }));
        thread.Wait();
        EXPECT_EQ(ended.load(), 11);
        thread.Wait(); // nothing left to wait for
        ASSERT_TRUE(thread.Start([&] {
            Sleep(200);
            ++ended;
        }));
    }
    EXPECT_EQ(ended.load(), 12);
    EXPECT_NE(ranOn.load(), GetCurrentThreadId());
}

// Several threads at once each start work that ends before they let go of it, the way a burst
// of lookups for letters that are no drive root ends. `start` starts the work and returns what
// letting go of it takes, called once the work has run. Through detached std::threads this
// crashes or hangs within seconds in most runs under Wine (DISABLED_ below, run by hand).
using LetGo = std::function<void()>;

template <typename Start> int StartWorkThatEndsFirst(int creators, int rounds, Start start) {
    std::atomic<int> started{0};
    std::vector<std::thread> all;
    for (int c = 0; c < creators; ++c) {
        all.emplace_back([&] {
            for (int i = 0; i < rounds; ++i) {
                std::atomic<bool> ran{false};
                const LetGo letGo = start([&ran] { ran = true; });
                if (!letGo)
                    return;
                while (!ran) {
                }
                for (volatile int spin = 0; spin < (i % 64) * 50; spin = spin + 1) {
                }
                letGo();
                ++started;
            }
        });
    }
    for (std::thread& creator : all)
        creator.join();
    return started;
}

TEST(BackgroundThreadTest, WorkThatEndsBeforeItsStarterGoesOnLeavesNothingBehind) {
    const int started = StartWorkThatEndsFirst(4, 500, [](std::function<void()> work) {
        return RunInBackground(std::move(work)) ? LetGo([] {}) : LetGo();
    });
    EXPECT_EQ(started, 2000);
    Sleep(500); // the last ones on their way out
}

// What the program did before. When it shows the fault (two runs in three) it crashes the test
// program in execute_native_thread_routine with a null argument, or hangs it:
//   wine vantrel_win32_tests.exe --gtest_also_run_disabled_tests --gtest_filter='*Detached*'
TEST(BackgroundThreadTest, DISABLED_DetachedStdThreadsThatEndFirstCorruptTheNextOnes) {
    const int started = StartWorkThatEndsFirst(4, 500, [](std::function<void()> work) {
        auto thread = std::make_shared<std::thread>(std::move(work));
        return LetGo([thread] { thread->detach(); });
    });
    EXPECT_EQ(started, 2000);
}

} // namespace
} // namespace vantrel::win32
