#include "components/Component.h"

Component::~Component() = default;

void* Component::QueryInterface(const Guid&) {
    return nullptr;
}

void Component::LoadProperties(const PropertyBag&) {}

void Component::Advise(IEventSink* sink, int controlId) {
    m_sink = sink;
    m_controlId = controlId;
}

bool Component::FireEvent(DispId id, std::span<Variant> args) {
    if (!m_sink)
        return true;
    try {
        m_sink->OnComponentEvent(m_controlId, id, args);
        return true;
    } catch (...) {
        // The handler's failure comes back to us; there is nobody to tell.
        return false;
    }
}
