#include "components/Variant.h"

#include "components/ComponentError.h"

namespace {

[[noreturn]] void Mismatch(Variant::Type want, Variant::Type have) {
    throw ComponentError(ComponentError::TypeMismatch,
                         std::string("expected ") + TypeName(want) + ", got " + TypeName(have));
}

} // namespace

bool Variant::toBool() const {
    if (type() != Type::Bool)
        Mismatch(Type::Bool, type());
    return std::get<bool>(m_value);
}

int16_t Variant::toInt16() const {
    if (type() != Type::Int16)
        Mismatch(Type::Int16, type());
    return std::get<int16_t>(m_value);
}

int32_t Variant::toInt32() const {
    if (type() != Type::Int32)
        Mismatch(Type::Int32, type());
    return std::get<int32_t>(m_value);
}

const std::string& Variant::toText() const {
    if (type() != Type::Text)
        Mismatch(Type::Text, type());
    return std::get<std::string>(m_value);
}

void Variant::setBool(bool v) {
    if (type() != Type::Bool)
        Mismatch(Type::Bool, type());
    m_value = v;
}

void Variant::setInt16(int16_t v) {
    if (type() != Type::Int16)
        Mismatch(Type::Int16, type());
    m_value = v;
}

void Variant::setInt32(int32_t v) {
    if (type() != Type::Int32)
        Mismatch(Type::Int32, type());
    m_value = v;
}

const char* TypeName(Variant::Type type) {
    switch (type) {
    case Variant::Type::Empty:
        return "empty";
    case Variant::Type::Bool:
        return "boolean";
    case Variant::Type::Int16:
        return "16-bit integer";
    case Variant::Type::Int32:
        return "32-bit integer";
    case Variant::Type::Text:
        return "text";
    }
    return "?";
}

std::string Describe(const Variant& v) {
    switch (v.type()) {
    case Variant::Type::Empty:
        return "empty";
    case Variant::Type::Bool:
        return v.toBool() ? "true" : "false";
    case Variant::Type::Int16:
        return std::to_string(v.toInt16()) + "s";
    case Variant::Type::Int32:
        return std::to_string(v.toInt32());
    case Variant::Type::Text:
        return '"' + v.toText() + '"';
    }
    return "?";
}
