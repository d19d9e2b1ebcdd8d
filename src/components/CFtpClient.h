#pragma once

#include "components/ComponentWrapper.h"

#include <cstdint>
#include <string>

// Wrapper of the file transfer component (control 1000).
class CFtpClient : public ComponentWrapper {
public:
    using ComponentWrapper::ComponentWrapper;

    enum DispIds : DispId {
        kTransferAction = 2,
        kOptionFlag = 4,
        kHostName = 7,
        kTransferProgress = 8, // event
        kLocalFile = 9,
        kRemoteFile = 13,
        kOptionValue = 19,
        kConnected = 26,
        kIPAddress = 32,
        kConnect = 50,
        kDisconnect = 53,
        kGetFile = 54,
        kDeleteFile = 59,
    };
    enum Action : int16_t { kFetch = 5, kSend = 6 };

    void SetTransferAction(int16_t action) {
        Call(kTransferAction, CallKind::PropertyPut, {Variant::Int16(action)});
    }
    void SetOptionFlag(bool flag) {
        Call(kOptionFlag, CallKind::PropertyPut, {Variant::Bool(flag)});
    }
    void SetHostName(const std::string& host) {
        Call(kHostName, CallKind::PropertyPut, {Variant::Text(host)});
    }
    void SetLocalFile(const std::string& name) {
        Call(kLocalFile, CallKind::PropertyPut, {Variant::Text(name)});
    }
    void SetRemoteFile(const std::string& name) {
        Call(kRemoteFile, CallKind::PropertyPut, {Variant::Text(name)});
    }
    void SetOptionValue(int16_t value) {
        Call(kOptionValue, CallKind::PropertyPut, {Variant::Int16(value)});
    }
    bool GetConnected() const { return Call(kConnected, CallKind::PropertyGet).toBool(); }
    std::string GetIPAddress() const { return Call(kIPAddress, CallKind::PropertyGet).toText(); }
    int16_t Connect() { return Call(kConnect, CallKind::Method).toInt16(); }
    int16_t Disconnect() { return Call(kDisconnect, CallKind::Method).toInt16(); }
    int16_t GetFile(const std::string& local, const std::string& remote) {
        return Call(kGetFile, CallKind::Method, {Variant::Text(local), Variant::Text(remote)})
            .toInt16();
    }
    int16_t DeleteFile(const std::string& remote) {
        return Call(kDeleteFile, CallKind::Method, {Variant::Text(remote)}).toInt16();
    }
};
