#include "skins/SkinButton.h"

#include "skins/StoredProperties.h"

SkinButton::SkinButton(QWidget* parent)
    : QPushButton(parent) {
    setAutoDefault(false);
    setDefault(false);
    m_table.Put(kCaption, [this](std::string text) { setText(QString::fromLocal8Bit(text)); });
    m_table.Get(kCaption, [this] { return text().toLocal8Bit().toStdString(); });
    connect(this, &QPushButton::clicked, this, [this] { FireEvent(kClickEvent, {}); });
}

Variant SkinButton::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    return m_table.Invoke(id, kind, args);
}

void* SkinButton::QueryInterface(const Guid& iid) {
    if (iid == ISkinButton::Iid())
        return static_cast<ISkinButton*>(this);
    return Component::QueryInterface(iid);
}

void SkinButton::LoadProperties(const PropertyBag& bag) {
    std::string caption;
    if (StoredProperties::ReadCaption(bag, caption))
        setText(QString::fromLocal8Bit(caption));
    setFont(StoredProperties::ReadFont(bag, font()));
}

int32_t SkinButton::BindForm(ISkinForm* form, int32_t) {
    m_form = form;
    return 0;
}
