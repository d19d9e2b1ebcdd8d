#pragma once

// The main window's timer 1, as the schedule sees it.
class ITimer {
public:
    virtual ~ITimer() = default;
    // Starts the timer; when it runs already, its period starts afresh.
    virtual void Start(int periodMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};
