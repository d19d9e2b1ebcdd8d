#pragma once

#include <string>

// Message box types and results as the program uses them (the values of the
// Windows MB_ and ID constants, so that call sites read as they always have).
enum MessageBoxType : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};

enum MessageBoxResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7
};

// The icon a box gets: the caller's, or the exclamation mark when the caller
// names none and the buttons are OK, OK/Cancel, Yes/No or Yes/No/Cancel.
unsigned EffectiveIcon(unsigned type);

// Modal message boxes owned by the main window and captioned with the
// application's title. Tests answer them in advance.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows the box and returns the button pressed (an ID value).
    virtual int Show(const std::string& text, unsigned type) = 0;
};
