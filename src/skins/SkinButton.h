#pragma once

#include "components/Component.h"
#include "components/DispatchTable.h"
#include "skins/SkinInterfaces.h"

#include <QPushButton>

// A skin button in its basic form: a push button that fires Click (event 1)
// to its host. It is never a default button, so Enter stays the window's OK
// command whichever button has the focus. Its look from a skin comes with
// the form it is bound to.
class SkinButton : public QPushButton, public Component, public ISkinButton {
    Q_OBJECT
public:
    explicit SkinButton(QWidget* parent = nullptr);

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;
    void* QueryInterface(const Guid& iid) override;
    void LoadProperties(const PropertyBag& bag) override;

    int32_t BindForm(ISkinForm* form, int32_t reserved) override;
    ISkinForm* boundForm() const { return m_form; }

    static constexpr DispId kClickEvent = 1;
    static constexpr DispId kCaption = -517;

private:
    DispatchTable m_table;
    ISkinForm* m_form = nullptr;
};
