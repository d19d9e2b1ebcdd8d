#include "settings/SetupDialogLogic.h"

#include "platform/FileError.h"
#include "platform/Numbers.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

RefreshCheck CheckRefreshMinutes(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    const std::string_view number = text.substr(begin, end - begin);
    size_t digits = (!number.empty() && (number[0] == '+' || number[0] == '-')) ? 1 : 0;
    const bool signOnly = digits == number.size();
    for (size_t i = digits; i < number.size(); ++i)
        if (number[i] < '0' || number[i] > '9')
            return {std::nullopt, "Please enter an integer."};
    if (signOnly)
        return {std::nullopt, "Please enter an integer."};
    // Saturates, so a long run of digits is simply out of range.
    const int64_t value = ReadDecimal64(number);
    if (value < kMinRefreshMinutes || value > kMaxRefreshMinutes)
        return {std::nullopt, "Please enter an integer between " +
                                  std::to_string(kMinRefreshMinutes) + " and " +
                                  std::to_string(kMaxRefreshMinutes) + "."};
    return {static_cast<int32_t>(value), {}};
}

void SetupDialogLogic::PutIntoControls() {
    const SetupRecord& r = m_settings.Record();
    m_view.ShowTexts({r.imageFile, r.skinFile, r.accountId, r.regCode, r.login, r.password,
                      std::to_string(r.refreshMinutes)});
}

bool SetupDialogLogic::TakeFromControls() {
    SetupRecord& r = m_settings.Record();
    if (auto image = m_view.EditedImageFile())
        r.imageFile = *image;
    const RefreshCheck check = CheckRefreshMinutes(m_view.RefreshText());
    if (!check.minutes) {
        m_boxes.Show(check.message, MB_OK | MB_ICONEXCLAMATION);
        m_view.FocusRefreshBox();
        return false;
    }
    r.refreshMinutes = *check.minutes;
    return true;
}

void SetupDialogLogic::OnOK() {
    if (!TakeFromControls())
        return;
    try {
        m_settings.SaveSettings();
    } catch (const FileError& e) {
        m_boxes.Show(e.what(), MB_OK | MB_ICONSTOP);
        return;
    }
    m_boxes.Show("Changes will take effect next time you start the Corvalen controller!",
                 MB_OK | MB_ICONEXCLAMATION);
    m_view.EndDialog(IDOK);
}

void SetupDialogLogic::OnBrowse() {
    const auto file = m_chooser.OpenFile("Jpeg Images (*.jpg)", "*.jpg");
    if (!file || file->empty())
        return;
    m_settings.Record().imageFile = *file;
    PutIntoControls();
}
