#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// One thread that runs posted jobs in order, for file work that should not
// hold up the UI thread. It runs at idle priority, on processor time nobody
// else wants, so a job may wait long on a busy machine: post only work that
// can also be done elsewhere or done late. Destruction runs what is still
// queued, then joins.
class BackgroundWorker {
public:
    BackgroundWorker() = default;
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // The thread starts with the first job. A job must not throw.
    void Post(std::function<void()> job);

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};
