#include "components/video/FrameStore.h"

uint64_t FrameStore::Reset() {
    std::lock_guard lock(m_mutex);
    ++m_epoch;
    m_latest.reset();
    m_sequence = 0;
    m_saved = 0;
    m_lost = false;
    m_lostReason.clear();
    return m_epoch;
}

bool FrameStore::Put(uint64_t epoch, VideoFrame frame) {
    std::lock_guard lock(m_mutex);
    if (epoch != m_epoch || m_lost)
        return false;
    frame.sequence = ++m_sequence;
    m_latest = std::make_shared<const VideoFrame>(std::move(frame));
    const bool notify = !m_noticePending;
    m_noticePending = true;
    return notify;
}

bool FrameStore::MarkLost(uint64_t epoch, std::string reason) {
    std::lock_guard lock(m_mutex);
    if (epoch != m_epoch || m_lost)
        return false;
    m_lost = true;
    m_lostReason = std::move(reason);
    const bool notify = !m_noticePending;
    m_noticePending = true;
    return notify;
}

void FrameStore::AcknowledgeNotice() {
    std::lock_guard lock(m_mutex);
    m_noticePending = false;
}

FramePtr FrameStore::Latest() const {
    std::lock_guard lock(m_mutex);
    return m_latest;
}

FramePtr FrameStore::Fresh() const {
    std::lock_guard lock(m_mutex);
    return m_latest && m_latest->sequence > m_saved ? m_latest : nullptr;
}

bool FrameStore::IsLost() const {
    std::lock_guard lock(m_mutex);
    return m_lost;
}

std::string FrameStore::LostReason() const {
    std::lock_guard lock(m_mutex);
    return m_lostReason;
}

uint64_t FrameStore::epoch() const {
    std::lock_guard lock(m_mutex);
    return m_epoch;
}

void FrameStore::MarkSaved(uint64_t sequence) {
    std::lock_guard lock(m_mutex);
    m_saved = sequence;
}

uint64_t FrameStore::savedSequence() const {
    std::lock_guard lock(m_mutex);
    return m_saved;
}
