#pragma once

#include "components/Component.h"
#include "components/DispatchTable.h"
#include "skins/SkinInterfaces.h"

#include <QWidget>

// The skin form in its basic form: a small hosted control that keeps the
// path of the skin file it was given (property 1) and offers its custom
// interface to the controls bound to it. Reading the skin file comes later.
class SkinForm : public QWidget, public Component, public ISkinForm {
    Q_OBJECT
public:
    explicit SkinForm(QWidget* parent = nullptr);

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;
    void* QueryInterface(const Guid& iid) override;

    const std::string& skinFile() const { return m_skinFile; }

    static constexpr DispId kSkinFile = 1;

private:
    DispatchTable m_table;
    std::string m_skinFile;
};
