#pragma once

#include "components/Guid.h"
#include "components/Variant.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>

using DispId = int32_t;

enum class CallKind { Method, PropertyGet, PropertyPut };

// The host's side of a component's events. A handler may raise; the error goes
// back to the component, which drops it (the user sees nothing).
class IEventSink {
public:
    virtual ~IEventSink() = default;
    virtual void OnComponentEvent(int controlId, DispId event, std::span<Variant> args) = 0;
};

// Stored properties that the host hands a component when it creates it
// (captions, fonts), by name.
using PropertyBag = std::map<std::string, Variant>;

// A hosted component: an automation object reached by DISPID, with optional
// custom interfaces by IID and events towards its host. A component that is
// also a QWidget is placed in the window by its host.
class Component {
public:
    virtual ~Component();

    // One synchronous call. Raises ComponentError when the member does not
    // exist, the arguments do not fit, or the operation fails.
    virtual Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) = 0;

    // A custom interface, or nullptr when the component does not offer it.
    virtual void* QueryInterface(const Guid& iid);

    virtual void LoadProperties(const PropertyBag& bag);

    void Advise(IEventSink* sink, int controlId);
    int controlId() const { return m_controlId; }

protected:
    // Delivers an event to the host. By-reference arguments are passed as
    // they are; a handler that is not there leaves them unchanged. Returns
    // false when the handler raised (the error itself is dropped).
    bool FireEvent(DispId id, std::span<Variant> args);

private:
    IEventSink* m_sink = nullptr;
    int m_controlId = 0;
};

// Typed query, for interfaces that declare `static const Guid& Iid()`.
template <typename Interface>
Interface* Query(Component* component) {
    return component ? static_cast<Interface*>(component->QueryInterface(Interface::Iid()))
                     : nullptr;
}
