#pragma once

#include <QObject>
#include <functional>

// Runs blocking work on a worker thread while the calling thread waits in a
// local event loop that takes no user input: the call stays synchronous for
// its caller, yet paint events, timers and posted notifications go on.
class LiveWait {
public:
    // Hands a function to the waiting thread, which runs it in order with the
    // others, before Run returns.
    using Post = std::function<void(std::function<void()>)>;

    // `context` lives on the calling thread. Without an application object
    // (or from another thread) the work runs in place and posts run at once.
    explicit LiveWait(QObject* context)
        : m_context(context) {}

    // Returns when `work` has returned; passes on what it raised.
    void Run(const std::function<void(const Post&)>& work);

private:
    QObject* m_context;
};
