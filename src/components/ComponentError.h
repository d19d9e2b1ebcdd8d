#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A failing call into a hosted component. The code follows the automation
// convention (an HRESULT), so that callers can tell "no such member" from
// "the operation itself failed".
class ComponentError : public std::runtime_error {
public:
    enum Code : uint32_t {
        Failed = 0x80004005,             // E_FAIL: the operation failed
        NoInterface = 0x80004002,        // E_NOINTERFACE
        InvalidPointer = 0x80004003,     // E_POINTER
        MemberNotFound = 0x80020003,     // DISP_E_MEMBERNOTFOUND
        TypeMismatch = 0x80020005,       // DISP_E_TYPEMISMATCH
        BadParamCount = 0x8002000E,      // DISP_E_BADPARAMCOUNT
        ClassNotRegistered = 0x80040154, // REGDB_E_CLASSNOTREG
        Timeout = 0x800705B4,            // the operation ran out of time
    };

    ComponentError(uint32_t code, const std::string& what)
        : std::runtime_error(what)
        , m_code(code) {}
    uint32_t code() const { return m_code; }

private:
    uint32_t m_code;
};
