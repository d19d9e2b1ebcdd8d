#pragma once

#include "components/ComponentWrapper.h"

#include <string>

// Wrapper of the skin form (control 1040).
class CSkinForm : public ComponentWrapper {
public:
    using ComponentWrapper::ComponentWrapper;
    enum DispIds : DispId { kSkinFile = 1 };
    void SetSkinFile(const std::string& path) {
        Call(kSkinFile, CallKind::PropertyPut, {Variant::Text(path)});
    }
};

// Wrapper of the skin label, the status line (control 1036).
class CSkinLabel : public ComponentWrapper {
public:
    using ComponentWrapper::ComponentWrapper;
    enum DispIds : DispId { kCaption = -517 };
    void SetCaption(const std::string& text) {
        Call(kCaption, CallKind::PropertyPut, {Variant::Text(text)});
    }
};

// Wrapper of a skin button (controls 1025 to 1033). It has no operation of its
// own; its Click is event 1.
class CSkinButton : public ComponentWrapper {
public:
    using ComponentWrapper::ComponentWrapper;
    enum DispIds : DispId { kClick = 1 };
};
