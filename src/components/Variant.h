#pragma once

#include <cstdint>
#include <string>
#include <variant>

// The value that crosses a component boundary: what an automation VARIANT
// carries in this program, and nothing more.
class Variant {
public:
    enum class Type { Empty, Bool, Int16, Int32, Text };

    Variant() = default;
    static Variant Bool(bool v) { return Variant(v); }
    static Variant Int16(int16_t v) { return Variant(v); }
    static Variant Int32(int32_t v) { return Variant(v); }
    static Variant Text(std::string v) { return Variant(std::move(v)); }

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isEmpty() const { return type() == Type::Empty; }

    // Typed reads raise a ComponentError (type mismatch) when the value is of
    // another type; a component never guesses what its caller meant.
    bool toBool() const;
    int16_t toInt16() const;
    int32_t toInt32() const;
    const std::string& toText() const;

    // Typed writes for by-reference event arguments: the type stays the same.
    void setBool(bool v);
    void setInt16(int16_t v);
    void setInt32(int32_t v);

    bool operator==(const Variant&) const = default;

private:
    explicit Variant(bool v)
        : m_value(v) {}
    explicit Variant(int16_t v)
        : m_value(v) {}
    explicit Variant(int32_t v)
        : m_value(v) {}
    explicit Variant(std::string v)
        : m_value(std::move(v)) {}

    std::variant<std::monostate, bool, int16_t, int32_t, std::string> m_value;
};

const char* TypeName(Variant::Type type);
std::string Describe(const Variant& v); // for test output and error texts
