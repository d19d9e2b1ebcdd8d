#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Runs blocking work on a worker thread while the calling thread waits in a
// local event loop that takes no user input: the call stays synchronous for
// its caller, yet paint events, timers and posted notifications go on.
//
// The worker is one long-lived thread, started by the first Run and joined
// when the LiveWait goes: a transfer is a few round trips on a fast line, and
// a thread started for each call costs a noticeable part of that.
class LiveWait {
public:
    // Hands a function to the waiting thread, which runs it in order with the
    // others, before Run returns.
    using Post = std::function<void(std::function<void()>)>;

    // `context` lives on the calling thread. Without an application object
    // (or from another thread) the work runs in place and posts run at once.
    explicit LiveWait(QObject* context)
        : m_context(context) {}
    ~LiveWait();
    LiveWait(const LiveWait&) = delete;
    LiveWait& operator=(const LiveWait&) = delete;

    // Returns when `work` has returned; passes on what it raised. One call at
    // a time: a Run from inside another (from a posted function) raises
    // std::logic_error.
    void Run(const std::function<void(const Post&)>& work);

private:
    void Serve();
    void WaitUntilDone();

    QObject* m_context;
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::function<void()>* m_job = nullptr; // guarded by m_mutex
    bool m_running = false;                       // a job handed over and not yet done
    bool m_stop = false;
    bool m_waiting = false; // a Run is waiting on the calling thread
};
