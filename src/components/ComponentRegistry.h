#pragma once

#include "components/Component.h"
#include "components/Guid.h"

#include <functional>
#include <memory>
#include <unordered_map>

// The table of factories by CLSID: what the registry of installed controls is
// to a Windows host. A window creates its components from one of these, so a
// test can hand it fakes or leave a class out.
class ComponentRegistry {
public:
    using Factory = std::function<std::unique_ptr<Component>()>;

    void Register(const Guid& clsid, Factory factory);
    bool IsRegistered(const Guid& clsid) const;

    // Raises ComponentError(ClassNotRegistered) when no factory is known, and
    // passes on whatever the factory raises.
    std::unique_ptr<Component> Create(const Guid& clsid) const;

private:
    std::unordered_map<Guid, Factory> m_factories;
};
