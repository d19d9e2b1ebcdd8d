#pragma once

#include "components/CXVideoCtlx.h"

#include <functional>

// The commands of the five video buttons. Each runs its steps in order and
// checks no result; a failing call raises and ends the command there, so
// the later steps do not run.
class VideoCommands {
public:
    // `repaintNow` paints the window's pending changes before the command
    // goes on (the format dialog may have changed the picture's size).
    VideoCommands(CXVideoCtlx& video, std::function<void()> repaintNow)
        : m_video(video)
        , m_repaintNow(std::move(repaintNow)) {}

    void OnSource();
    void OnFormat();
    void OnCompression();
    void OnShowHide();
    void OnVideoConnect();

private:
    CXVideoCtlx& m_video;
    std::function<void()> m_repaintNow;
};
