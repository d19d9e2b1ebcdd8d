#include "skins/SkinForm.h"

SkinForm::SkinForm(QWidget* parent)
    : QWidget(parent) {
    m_table.Put(kSkinFile, [this](std::string path) { m_skinFile = path; });
    m_table.Get(kSkinFile, [this] { return m_skinFile; });
}

Variant SkinForm::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    return m_table.Invoke(id, kind, args);
}

void* SkinForm::QueryInterface(const Guid& iid) {
    if (iid == ISkinForm::Iid())
        return static_cast<ISkinForm*>(this);
    return Component::QueryInterface(iid);
}
