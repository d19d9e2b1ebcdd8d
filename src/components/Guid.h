#pragma once

#include <functional>
#include <string>
#include <string_view>

// A class or interface identifier in its registry form, "{XXXXXXXX-...}".
// Held upper-cased so that comparisons ignore the letter case, as the
// registry does.
class Guid {
public:
    explicit Guid(std::string_view text);
    const std::string& text() const { return m_text; }
    bool operator==(const Guid&) const = default;

private:
    std::string m_text;
};

template <>
struct std::hash<Guid> {
    size_t operator()(const Guid& g) const noexcept { return std::hash<std::string>()(g.text()); }
};
