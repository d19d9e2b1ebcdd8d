#pragma once

#include "components/video/VideoFrame.h"

#include <cstdint>
#include <mutex>
#include <string>

// The latest frame of the current connection, shared between the streaming
// thread that delivers frames and the UI thread that draws and saves them.
//
// Only the newest frame is kept, so at most one frame waits for the UI
// however slow drawing is. Every (re)connection starts a new epoch: frames
// still in flight from an earlier pipeline are refused, so no picture leaks
// from one connection into the next.
class FrameStore {
public:
    // Starts a new epoch with no frame and no loss; returns its number.
    uint64_t Reset();

    // From the streaming thread. Returns true when the UI must be told:
    // the frame was taken and no earlier notice is still waiting. Frames of
    // an old epoch are dropped (false).
    bool Put(uint64_t epoch, VideoFrame frame);

    // From the streaming thread or the bus: the source failed or ended.
    // Returns true when the UI must be told (as for Put).
    bool MarkLost(uint64_t epoch, std::string reason);

    // The UI thread takes the waiting notice; later frames notify again.
    void AcknowledgeNotice();

    FramePtr Latest() const;
    // The latest frame when it is newer than the one last used, else null.
    FramePtr Fresh() const;
    bool IsLost() const;
    std::string LostReason() const;
    uint64_t epoch() const;

    // The sequence number of the frame last used; a frame is fresh when its
    // sequence is above it. 0 makes every frame fresh.
    void MarkSaved(uint64_t sequence);
    uint64_t savedSequence() const;

private:
    mutable std::mutex m_mutex;
    uint64_t m_epoch = 0;
    FramePtr m_latest;
    uint64_t m_sequence = 0;
    uint64_t m_saved = 0;
    bool m_lost = false;
    std::string m_lostReason;
    bool m_noticePending = false;
};
