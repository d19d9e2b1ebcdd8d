#include "components/video/BackgroundWorker.h"

#include <pthread.h>
#include <sched.h>

BackgroundWorker::~BackgroundWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundWorker::Post(std::function<void()> job) {
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Run(); });
    }
    m_wake.notify_one();
}

void BackgroundWorker::Run() {
    // Only spare processor time: woken on a busy core, the worker would
    // otherwise push aside the very thread it is meant to relieve.
    sched_param param{};
    param.sched_priority = 0;
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, and nothing left to do
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        job = nullptr; // whatever the job held goes here, off the lock
        lock.lock();
    }
}
