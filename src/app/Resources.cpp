#include "app/Resources.h"

std::string StringTable::Load(int id) const {
    auto it = m_strings.find(id);
    return it == m_strings.end() ? std::string() : it->second;
}

const StringTable& StringTable::Program() {
    static const StringTable table({
        {Resources::IDS_ABOUTBOX, "&About Corvalen..."},
    });
    return table;
}
