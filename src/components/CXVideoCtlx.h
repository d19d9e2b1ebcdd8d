#pragma once

#include "components/ComponentWrapper.h"

#include <cstdint>
#include <string>

// Wrapper of the video capture component (control 1024), implemented by
// VideoCaptureWidget (components/video). Every call runs on the UI thread and
// raises ComponentError when it fails.
//
// Properties:
//   17 Preview     get/put. The live picture is shown (TRUE, from creation on)
//                  or hidden; reading gives the state last put. A hidden
//                  picture costs no drawing; captures go on regardless.
//   52 Connected   put TRUE: opens the chosen device (entry 0 of the device
//                  list until another is chosen) unless one is open; FALSE
//                  closes it. Put TRUE once at start-up.
//   44 Streaming   put TRUE: pictures flow from the connected device to the
//                  picture and to captures, and keep flowing across later
//                  reconnections; FALSE stops them (captures then raise).
//                  TRUE after a lost device opens it afresh. Put TRUE after
//                  52 at start-up, after each dialog and after "Video Connect".
//   35 FreshFrame  put TRUE: the picture now held counts as used, so the next
//                  SaveJpeg waits for a newer one and raises meanwhile; a
//                  frozen camera is then never published twice as new. FALSE
//                  lets the held picture be saved again. Put TRUE right after
//                  each capture.
// Methods:
//   19 SaveJpeg(file, maxQuality)  writes the latest picture as a JPEG (4:2:0,
//                  full range) through a temporary file and a rename; a name
//                  without a folder lands in the current folder, and an
//                  existing file whose name differs only in letter case is the
//                  one replaced. maxQuality (1..100) caps the quality set in
//                  the Compression dialog: 100, what the program passes, means
//                  "as set there". Raises, writing nothing, when no device is
//                  connected or streaming, the device is lost, or no picture
//                  newer than the one marked used (35) has arrived. TRUE.
//   28, 29, 45     Source (device, brightness/contrast/saturation/hue where
//                  the device has them), Format (frame size and rate) and
//                  Compression (JPEG quality) dialogs; modal, OK applies,
//                  Cancel keeps all. TRUE when closed by OK.
//   34 DisconnectDevice()  closes the device; its last picture is dropped.
//   51 ConnectDevice(n)    opens entry n of the device list: the cameras, then
//                  the test picture, so 0 is the first camera or, without
//                  one, the test picture. Raises for a missing entry or a
//                  device that does not open.
// Event 1 (width, height, signal), by reference: fired when the picture's
// state changes, that is the first picture of a connection or of a new size
// (signal TRUE) and a lost device (signal FALSE, last size). Values written
// back are ignored.
class CXVideoCtlx : public ComponentWrapper {
public:
    using ComponentWrapper::ComponentWrapper;

    enum DispIds : DispId {
        kPreview = 17,
        kSaveJpeg = 19,
        kSourceDialog = 28,
        kFormatDialog = 29,
        kDisconnectDevice = 34,
        kFreshFrame = 35,
        kStreaming = 44,
        kCompressionDialog = 45,
        kConnectDevice = 51,
        kConnected = 52,
        kFrameEvent = 1, // event
    };

    bool GetPreview() const { return Call(kPreview, CallKind::PropertyGet).toBool(); }
    void SetPreview(bool show) { Call(kPreview, CallKind::PropertyPut, {Variant::Bool(show)}); }
    bool SaveJpeg(const std::string& file, int32_t quality) {
        return Call(kSaveJpeg, CallKind::Method, {Variant::Text(file), Variant::Int32(quality)})
            .toBool();
    }
    bool ShowSourceDialog() { return Call(kSourceDialog, CallKind::Method).toBool(); }
    bool ShowFormatDialog() { return Call(kFormatDialog, CallKind::Method).toBool(); }
    bool ShowCompressionDialog() { return Call(kCompressionDialog, CallKind::Method).toBool(); }
    void DisconnectDevice() { Call(kDisconnectDevice, CallKind::Method); }
    void ConnectDevice(int32_t index) {
        Call(kConnectDevice, CallKind::Method, {Variant::Int32(index)});
    }
    void SetFreshFrame(bool on) { Call(kFreshFrame, CallKind::PropertyPut, {Variant::Bool(on)}); }
    void SetStreaming(bool on) { Call(kStreaming, CallKind::PropertyPut, {Variant::Bool(on)}); }
    void SetConnected(bool on) { Call(kConnected, CallKind::PropertyPut, {Variant::Bool(on)}); }
};
