#include "components/ftp/LiveWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <exception>
#include <thread>

void LiveWait::Run(const std::function<void(const Post&)>& work) {
    if (!QCoreApplication::instance() || QThread::currentThread() != m_context->thread()) {
        work([](std::function<void()> f) { f(); });
        return;
    }

    QEventLoop loop;
    std::exception_ptr error;
    QObject* context = m_context;
    const Post post = [context](std::function<void()> f) {
        QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
    };
    // The loop can end early (QCoreApplication::exit ends every loop), so the
    // worker's last word must not reach a loop that is gone.
    QPointer<QEventLoop> waiting(&loop);
    std::thread worker([&, waiting] {
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
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (error)
        std::rethrow_exception(error);
}
