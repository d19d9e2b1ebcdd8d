#pragma once

#include "components/ComponentWrapper.h"

#include <cstdint>
#include <string>

// Wrapper of the video capture component (control 1024). What each property
// means is documented with the component (components/video).
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
