#include "components/Guid.h"

#include <cctype>

Guid::Guid(std::string_view text) {
    m_text.reserve(text.size());
    for (char c : text)
        m_text.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
}
