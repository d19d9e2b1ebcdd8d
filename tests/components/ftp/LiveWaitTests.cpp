#include "components/ftp/LiveWait.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gmock/gmock.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <vector>

using ::testing::ElementsAre;

namespace {

class LiveWaitTest : public ::testing::Test {
protected:
    QObject context; // on the test's (the application's) thread
    LiveWait wait{&context};
};

TEST_F(LiveWaitTest, WorkRunsOffTheCallerAndPostsRunOnItInOrderBeforeReturn) {
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id worker;
    std::vector<int> seen;
    bool postsOnCaller = true;
    wait.Run([&](const LiveWait::Post& post) {
        worker = std::this_thread::get_id();
        for (int i = 1; i <= 3; ++i)
            post([&, i] {
                postsOnCaller = postsOnCaller && std::this_thread::get_id() == caller;
                seen.push_back(i);
            });
    });
    EXPECT_NE(worker, caller);
    EXPECT_THAT(seen, ElementsAre(1, 2, 3));
    EXPECT_TRUE(postsOnCaller);
}

// A thread per call costs a good part of a short transfer; one serves all.
TEST_F(LiveWaitTest, OneWorkerServesEveryCall) {
    // Kernel thread ids, unlike std::thread ids, are not handed on at once
    // to the next thread.
    std::vector<pid_t> workers;
    for (int i = 0; i < 3; ++i)
        wait.Run([&](const LiveWait::Post&) { workers.push_back(::gettid()); });
    ASSERT_EQ(workers.size(), 3u);
    EXPECT_NE(workers[0], ::gettid());
    EXPECT_EQ(workers[1], workers[0]);
    EXPECT_EQ(workers[2], workers[0]);
}

TEST_F(LiveWaitTest, WhatTheWorkRaisesReachesTheCallerAndTheWorkerGoesOn) {
    EXPECT_THROW(wait.Run([](const LiveWait::Post&) { throw std::runtime_error("lost line"); }),
                 std::runtime_error);
    bool ran = false;
    wait.Run([&](const LiveWait::Post&) { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(LiveWaitTest, TimersRunWhileTheCallWaits) {
    // The work ends once a timer of the waiting thread has fired (or, should
    // the thread not be live, after a long while).
    std::atomic<bool> fired{false};
    QTimer::singleShot(0, [&] { fired = true; });
    wait.Run([&](const LiveWait::Post&) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fired && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::yield();
    });
    EXPECT_TRUE(fired);
}

TEST_F(LiveWaitTest, ACallFromInsideAnotherRaisesAndTheOuterOneFinishes) {
    bool innerRaised = false, outerDone = false;
    wait.Run([&](const LiveWait::Post& post) {
        post([&] {
            try {
                wait.Run([](const LiveWait::Post&) {});
            } catch (const std::logic_error&) {
                innerRaised = true;
            }
        });
        outerDone = true;
    });
    EXPECT_TRUE(innerRaised);
    EXPECT_TRUE(outerDone);
}

TEST(LiveWait, FromAnotherThreadTheWorkRunsInPlace) {
    QObject context;
    LiveWait wait(&context);
    std::thread::id ranOn, postedOn, other;
    std::thread t([&] {
        other = std::this_thread::get_id();
        wait.Run([&](const LiveWait::Post& post) {
            ranOn = std::this_thread::get_id();
            post([&] { postedOn = std::this_thread::get_id(); });
        });
    });
    t.join();
    EXPECT_EQ(ranOn, other);
    EXPECT_EQ(postedOn, other);
}

TEST(LiveWait, GoesAwayCleanlyWithAndWithoutAWorker) {
    QObject context;
    { LiveWait unused(&context); }
    bool ran = false;
    {
        LiveWait used(&context);
        used.Run([&](const LiveWait::Post&) { ran = true; });
    }
    EXPECT_TRUE(ran);
}

} // namespace
