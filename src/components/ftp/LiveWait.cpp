#include "components/ftp/LiveWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <exception>
#include <stdexcept>

LiveWait::~LiveWait() {
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void LiveWait::Serve() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_job; });
        if (!m_job)
            return; // stopping, and nothing left to do
        const std::function<void()>* job = m_job;
        m_job = nullptr;
        lock.unlock();
        (*job)(); // raises nothing: the job keeps what it raised
        lock.lock();
        m_running = false;
        m_changed.notify_all();
    }
}

void LiveWait::WaitUntilDone() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_running; });
}

void LiveWait::Run(const std::function<void(const Post&)>& work) {
    if (!QCoreApplication::instance() || QThread::currentThread() != m_context->thread()) {
        work([](std::function<void()> f) { f(); });
        return;
    }
    // The calling thread's own flag: a function posted by the work can run
    // after the worker has finished but before this call has returned.
    if (m_waiting)
        throw std::logic_error("LiveWait::Run while another call waits");
    struct Waiting {
        bool& flag;
        explicit Waiting(bool& f)
            : flag(f) {
            flag = true;
        }
        ~Waiting() { flag = false; }
    } waitingFlag(m_waiting);

    QEventLoop loop;
    std::exception_ptr error;
    QObject* context = m_context;
    const Post post = [context](std::function<void()> f) {
        QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
    };
    // The loop can end early (QCoreApplication::exit ends every loop), so the
    // worker's last word must not reach a loop that is gone.
    QPointer<QEventLoop> waiting(&loop);
    const std::function<void()> job = [&, waiting] {
        try {
            work(post);
        } catch (...) {
            error = std::current_exception();
        }
        // Posted after every notification of the work, so they all run first.
        QMetaObject::invokeMethod(
            context,
            [waiting] {
                if (waiting)
                    waiting->quit();
            },
            Qt::QueuedConnection);
    };

    {
        std::lock_guard lock(m_mutex);
        m_job = &job;
        m_running = true;
    }
    if (!m_worker.joinable())
        m_worker = std::thread([this] { Serve(); });
    else
        m_changed.notify_all();

    // The job refers to this frame: whatever ends the wait, it must be over
    // before the frame goes.
    {
        struct Finish {
            LiveWait* self;
            ~Finish() { self->WaitUntilDone(); }
        } finish{this};
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (error)
        std::rethrow_exception(error);
}
