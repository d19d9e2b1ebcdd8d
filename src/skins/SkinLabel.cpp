#include "skins/SkinLabel.h"

#include "skins/StoredProperties.h"

SkinLabel::SkinLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table.Put(kCaption, [this](std::string text) { SetCaption(text); });
    m_table.Get(kCaption, [this] { return m_caption; });
}

Variant SkinLabel::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    return m_table.Invoke(id, kind, args);
}

void* SkinLabel::QueryInterface(const Guid& iid) {
    if (iid == ISkinLabel::Iid())
        return static_cast<ISkinLabel*>(this);
    return Component::QueryInterface(iid);
}

void SkinLabel::LoadProperties(const PropertyBag& bag) {
    std::string caption;
    if (StoredProperties::ReadCaption(bag, caption))
        SetCaption(caption);
    setFont(StoredProperties::ReadFont(bag, font()));
}

int32_t SkinLabel::BindForm(ISkinForm* form, int32_t) {
    m_form = form;
    return 0;
}

void SkinLabel::SetCaption(const std::string& text) {
    m_caption = text;
    setText(QString::fromLocal8Bit(text));
}
