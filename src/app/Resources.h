#pragma once

#include <map>
#include <string>

// Identifiers of the program's resources, as its dialogs and menus use them.
namespace Resources {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_CONTROLLER_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;

// The About item's command in the window's system menu.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

} // namespace Resources

// The string table. A missing id reads as the empty string.
class StringTable {
public:
    StringTable() = default;
    explicit StringTable(std::map<int, std::string> strings)
        : m_strings(std::move(strings)) {}

    std::string Load(int id) const;

    // The program's own strings.
    static const StringTable& Program();

private:
    std::map<int, std::string> m_strings;
};
