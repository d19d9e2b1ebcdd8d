#include "app/VideoCommands.h"

void VideoCommands::OnSource() {
    m_video.ShowSourceDialog();
    m_video.SetStreaming(true);
}

void VideoCommands::OnFormat() {
    m_video.ShowFormatDialog();
    if (m_repaintNow)
        m_repaintNow();
    m_video.SetStreaming(true);
}

void VideoCommands::OnCompression() {
    m_video.ShowCompressionDialog();
    m_video.SetStreaming(true);
}

void VideoCommands::OnShowHide() {
    // Ask every time: the component knows its state, we keep no copy.
    const bool shown = m_video.GetPreview();
    m_video.SetPreview(!shown);
}

void VideoCommands::OnVideoConnect() {
    m_video.DisconnectDevice();
    m_video.ConnectDevice(0);
    m_video.SetStreaming(true);
}
