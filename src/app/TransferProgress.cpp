#include "app/TransferProgress.h"

#include "components/ComponentError.h"

void ShowTransferProgress(IProgressBar& bar, std::span<const Variant> args) {
    if (args.size() != 3)
        throw ComponentError(ComponentError::BadParamCount, "TransferProgress takes 3 arguments");
    const int16_t percent = args[2].toInt16();
    bar.SetRange(0, 100);
    bar.SetPos(percent);
    if (percent == 100)
        bar.SetPos(0);
}
