#pragma once

#include "components/Component.h"
#include "components/DispatchTable.h"
#include "components/video/VideoCapture.h"

#include <QImage>
#include <QWidget>

// The video capture component (control 1024): the live picture in its area
// of the window, still images, and the device's dialogs. Its members, by
// DISPID (see CXVideoCtlx):
//   17 Preview       get/put  the live picture shown (TRUE, the start value) or hidden
//   19 SaveJpeg      method   (file name, maximum quality 1..100) -> TRUE
//   28/29/45         method   Source / Format / Compression dialog -> TRUE on OK
//   34 Disconnect    method   closes the device
//   35 FreshFrame    put      TRUE: the picture now held is used up
//   44 Streaming     get/put  TRUE: pictures flow while a device is connected
//   51 Connect       method   (n) connects entry n of the device list
//   52 Connected     get/put  TRUE: connect the chosen device (entry 0 at first)
// Event 1 (width, height, signal), all by reference, fires on the UI thread
// when the picture's state changes: the first picture of a connection or of
// a new size (signal TRUE), and a lost device (signal FALSE, with the last
// size). Values the host writes back are ignored.
class VideoCaptureWidget : public QWidget, public Component {
    Q_OBJECT
public:
    explicit VideoCaptureWidget(VideoCapture::SourceLister lister = ListVideoSources,
                                QWidget* parent = nullptr);
    ~VideoCaptureWidget() override;

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;

    VideoCapture& capture() { return m_capture; }
    // What the picture area shows now.
    enum class Showing { Nothing, Picture, NoSignal };
    Showing showing() const;
    QSize pictureSize() const { return m_image.size(); }

    QSize sizeHint() const override { return {320, 240}; }

    static constexpr DispId kPictureEvent = 1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnNotice();
    void SetPreview(bool on);
    bool ShowSourceDialog();
    bool ShowFormatDialog();
    bool ShowCompressionDialog();

    VideoCapture m_capture;
    DispatchTable m_table;
    FramePtr m_frame; // keeps the pixels of m_image alive
    QImage m_image;
    bool m_lost = false;
};
