#pragma once

#include "components/Component.h"
#include "components/ComponentError.h"

#include <initializer_list>

// Base of the thin wrappers: each wrapper operation is one call by DISPID on
// the attached component. A wrapper owns nothing; the window owns the
// component for its whole life.
class ComponentWrapper {
public:
    ComponentWrapper() = default;
    explicit ComponentWrapper(Component* component)
        : m_component(component) {}

    void Attach(Component* component) { m_component = component; }
    Component* component() const { return m_component; }

protected:
    Variant Call(DispId id, CallKind kind, std::initializer_list<Variant> args = {}) const {
        if (!m_component)
            throw ComponentError(ComponentError::InvalidPointer, "no component attached");
        return m_component->Invoke(id, kind, std::span<const Variant>(args.begin(), args.size()));
    }

private:
    Component* m_component = nullptr;
};
