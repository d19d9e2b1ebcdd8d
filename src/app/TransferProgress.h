#pragma once

#include "components/Variant.h"

#include <span>

// The progress bar as the transfer display sees it.
class IProgressBar {
public:
    virtual ~IProgressBar() = default;
    virtual void SetRange(int lower, int upper) = 0;
    // A position outside the range shows as the nearer end.
    virtual void SetPos(int pos) = 0;
};

// TransferProgress (event 8 of the file transfer component): the third
// argument is the percentage done. The range is set on every event; a
// finished transfer (exactly 100) leaves the bar empty.
void ShowTransferProgress(IProgressBar& bar, std::span<const Variant> args);
