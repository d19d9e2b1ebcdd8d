#include "components/ComponentRegistry.h"

#include "components/ComponentError.h"

void ComponentRegistry::Register(const Guid& clsid, Factory factory) {
    m_factories[clsid] = std::move(factory);
}

bool ComponentRegistry::IsRegistered(const Guid& clsid) const {
    return m_factories.contains(clsid);
}

std::unique_ptr<Component> ComponentRegistry::Create(const Guid& clsid) const {
    auto it = m_factories.find(clsid);
    if (it == m_factories.end() || !it->second)
        throw ComponentError(ComponentError::ClassNotRegistered,
                             "class not registered: " + clsid.text());
    auto component = it->second();
    if (!component)
        throw ComponentError(ComponentError::Failed, "could not create " + clsid.text());
    return component;
}
