// The critical section: re-entrant for its holder, and handed over in the
// order of arrival, so that a thread that takes it again at once (a reader
// that holds it for every blocking read) cannot keep a waiting thread out.
#include "platform/base/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
double MsSince(const std::chrono::steady_clock::time_point& since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}
}

TEST(CriticalSection, ReentrantForItsHolderOnly)
{
    CCriticalSection section;
    EXPECT_FALSE(section.IsLockedByCurrentThread());
    {
        CSingleLock outer(&section, TRUE);
        CSingleLock inner(&section, TRUE);
        EXPECT_TRUE(section.IsLockedByCurrentThread());
        inner.Unlock();
        EXPECT_TRUE(section.IsLockedByCurrentThread());   // still held once
        std::atomic<bool> tookIt{false};
        std::thread other([&] {
            CSingleLock lock(&section, TRUE);
            tookIt = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(tookIt.load());
        outer.Unlock();
        other.join();
        EXPECT_TRUE(tookIt.load());
    }
    EXPECT_FALSE(section.IsLockedByCurrentThread());
    EXPECT_FALSE(section.Unlock());   // not held: nothing to release
}

TEST(CriticalSection, AWaitingThreadGetsItBeforeTheHolderTakesItAgain)
{
    CCriticalSection section;
    for (int round = 0; round < 10; ++round) {
        std::atomic<bool> held{false}, queuing{false};
        std::atomic<int> order{0};
        int waiterTurn = 0, holderAgain = 0;
        std::thread holder([&] {
            section.Lock();
            held = true;
            while (!queuing)
                std::this_thread::yield();
            // Room for the waiter to queue before the release.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            section.Unlock();
            section.Lock();
            holderAgain = ++order;
            section.Unlock();
        });
        while (!held)
            std::this_thread::yield();
        queuing = true;
        const auto start = std::chrono::steady_clock::now();
        section.Lock();
        waiterTurn = ++order;
        section.Unlock();
        holder.join();
        EXPECT_LT(waiterTurn, holderAgain) << "round " << round;
        EXPECT_LT(MsSince(start), 5000.0);
    }
}
