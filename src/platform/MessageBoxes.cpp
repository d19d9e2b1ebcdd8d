#include "platform/MessageBoxes.h"

unsigned EffectiveIcon(unsigned type) {
    if (type & MB_ICONMASK)
        return type & MB_ICONMASK;
    switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return MB_ICONEXCLAMATION;
    default:
        return 0;
    }
}
