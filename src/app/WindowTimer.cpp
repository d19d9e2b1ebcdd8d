#include "app/WindowTimer.h"

WindowTimer::WindowTimer(std::function<void()> onTick) {
    m_timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, std::move(onTick));
}

void WindowTimer::Start(int periodMs) {
    m_timer.start(periodMs);
}

void WindowTimer::Stop() {
    m_timer.stop();
}
