#pragma once

#include "platform/Timer.h"

#include <QTimer>
#include <functional>

// A timer of the main window on the UI thread: timer 1 of the schedule.
class WindowTimer : public ITimer {
public:
    explicit WindowTimer(std::function<void()> onTick);

    void Start(int periodMs) override;
    void Stop() override;
    bool IsRunning() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
