#pragma once

#include "components/ClassIds.h"

#include <cstdint>

// The skin components' custom interfaces, reached by IID.
class ISkinForm {
public:
    static const Guid& Iid() { return InterfaceIds::SkinForm; }
    virtual ~ISkinForm() = default;
};

class ISkinButton {
public:
    static const Guid& Iid() { return InterfaceIds::SkinButton; }
    virtual ~ISkinButton() = default;
    // Draw with the look of the form's current skin; form may be null.
    virtual int32_t BindForm(ISkinForm* form, int32_t reserved) = 0;
};

class ISkinLabel {
public:
    static const Guid& Iid() { return InterfaceIds::SkinLabel; }
    virtual ~ISkinLabel() = default;
    virtual int32_t BindForm(ISkinForm* form, int32_t reserved) = 0;
};
