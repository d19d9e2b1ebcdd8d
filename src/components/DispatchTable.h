#pragma once

#include "components/Component.h"
#include "components/ComponentError.h"

#include <functional>
#include <map>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

namespace detail {

template <typename T>
T FromVariant(const Variant& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v.toBool();
    else if constexpr (std::is_same_v<T, int16_t>)
        return v.toInt16();
    else if constexpr (std::is_same_v<T, int32_t>)
        return v.toInt32();
    else if constexpr (std::is_same_v<T, std::string>)
        return v.toText();
    else
        static_assert(!sizeof(T), "unsupported argument type");
}

inline Variant ToVariant(bool v) {
    return Variant::Bool(v);
}
inline Variant ToVariant(int16_t v) {
    return Variant::Int16(v);
}
inline Variant ToVariant(int32_t v) {
    return Variant::Int32(v);
}
inline Variant ToVariant(std::string v) {
    return Variant::Text(std::move(v));
}

using Handler = std::function<Variant(std::span<const Variant>)>;

template <typename R, typename... Args>
Handler MakeHandler(std::function<R(Args...)> f) {
    return [f = std::move(f)](std::span<const Variant> args) -> Variant {
        if (args.size() != sizeof...(Args))
            throw ComponentError(ComponentError::BadParamCount, "wrong number of arguments");
        return [&]<size_t... I>(std::index_sequence<I...>)->Variant {
            if constexpr (std::is_void_v<R>) {
                f(FromVariant<std::decay_t<Args>>(args[I])...);
                return Variant();
            } else {
                return ToVariant(f(FromVariant<std::decay_t<Args>>(args[I])...));
            }
        }
        (std::index_sequence_for<Args...>{});
    };
}

} // namespace detail

// Maps (DISPID, call kind) to typed C++ callables, so that a component states
// its members once and gets argument checking for free:
//
//   m_table.Put(7, [this](std::string host) { m_host = host; });
//   m_table.Method(54, [this](std::string local, std::string remote) { return GetFile(...); });
class DispatchTable {
public:
    template <typename F>
    void Method(DispId id, F f) {
        Add(id, CallKind::Method, std::function(std::move(f)));
    }
    template <typename F>
    void Get(DispId id, F f) {
        Add(id, CallKind::PropertyGet, std::function(std::move(f)));
    }
    template <typename F>
    void Put(DispId id, F f) {
        Add(id, CallKind::PropertyPut, std::function(std::move(f)));
    }

    // Raises MemberNotFound for a (DISPID, kind) pair that has no entry.
    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) const;
    bool Has(DispId id, CallKind kind) const { return m_handlers.contains({id, kind}); }

private:
    template <typename R, typename... Args>
    void Add(DispId id, CallKind kind, std::function<R(Args...)> f) {
        m_handlers[{id, kind}] = detail::MakeHandler(std::move(f));
    }

    std::map<std::pair<DispId, CallKind>, detail::Handler> m_handlers;
};
