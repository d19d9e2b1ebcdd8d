#pragma once

#include "components/Component.h"
#include "components/DispatchTable.h"
#include "skins/SkinInterfaces.h"

#include <QLabel>

// The skin label in its basic form: a text line whose stock Caption property
// (-517) is what it shows. The main window uses it as the status line.
class SkinLabel : public QLabel, public Component, public ISkinLabel {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget* parent = nullptr);

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;
    void* QueryInterface(const Guid& iid) override;
    void LoadProperties(const PropertyBag& bag) override;

    int32_t BindForm(ISkinForm* form, int32_t reserved) override;
    ISkinForm* boundForm() const { return m_form; }

    static constexpr DispId kCaption = -517;

private:
    void SetCaption(const std::string& text);

    DispatchTable m_table;
    std::string m_caption; // kept as given, so a get returns the very bytes put
    ISkinForm* m_form = nullptr;
};
