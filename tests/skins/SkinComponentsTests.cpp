#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "components/ComponentRegistry.h"
#include "skins/SkinButton.h"
#include "skins/SkinComponents.h"
#include "skins/SkinForm.h"
#include "skins/SkinLabel.h"
#include "skins/SkinWrappers.h"
#include "skins/StoredProperties.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class EventRecorder : public IEventSink {
public:
    void OnComponentEvent(int controlId, DispId event, std::span<Variant>) override {
        events.push_back({controlId, event});
        if (fail)
            throw ComponentError(ComponentError::Failed, "handler failed");
    }
    std::vector<std::pair<int, DispId>> events;
    bool fail = false;
};

class SkinComponents : public ::testing::Test {
protected:
    SkinComponents() { RegisterSkinComponents(registry); }
    template <typename T>
    std::unique_ptr<T> Make(const Guid& clsid) {
        auto component = registry.Create(clsid);
        auto* typed = dynamic_cast<T*>(component.get());
        EXPECT_NE(typed, nullptr);
        component.release();
        return std::unique_ptr<T>(typed);
    }
    ComponentRegistry registry;
};

TEST_F(SkinComponents, RegisteredUnderTheirClassesWithTheirInterfaces) {
    auto form = Make<SkinForm>(ClassIds::SkinForm);
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    auto label = Make<SkinLabel>(ClassIds::SkinLabel);
    EXPECT_EQ(Query<ISkinForm>(form.get()), static_cast<ISkinForm*>(form.get()));
    EXPECT_EQ(Query<ISkinButton>(button.get()), static_cast<ISkinButton*>(button.get()));
    EXPECT_EQ(Query<ISkinLabel>(label.get()), static_cast<ISkinLabel*>(label.get()));
    // Each offers only its own interface.
    EXPECT_EQ(Query<ISkinButton>(form.get()), nullptr);
    EXPECT_EQ(Query<ISkinForm>(button.get()), nullptr);
    EXPECT_EQ(Query<ISkinButton>(label.get()), nullptr);
}

TEST_F(SkinComponents, ButtonClickFiresEventOneToItsHost) {
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    EventRecorder host;
    button->Advise(&host, 1031);
    button->click();
    EXPECT_THAT(host.events, ElementsAre(std::pair(1031, 1)));
}

TEST_F(SkinComponents, ButtonSurvivesAFailingHandler) {
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    EventRecorder host;
    host.fail = true;
    button->Advise(&host, 1026);
    button->click();
    button->click();
    EXPECT_EQ(host.events.size(), 2u);
}

TEST_F(SkinComponents, ButtonIsNeverADefaultButtonSoEnterIsNotAClick) {
    QDialog window;
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    button->setParent(&window);
    EventRecorder host;
    button->Advise(&host, 1031);
    window.show();
    button->setFocus();
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(button.get(), &press);
    }
    EXPECT_THAT(host.events, IsEmpty());
    button->setParent(nullptr);
}

TEST_F(SkinComponents, StoredCaptionAndFontApply) {
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    button->LoadProperties(StoredProperties::CaptionAndFont("Video Connect"));
    EXPECT_EQ(button->text(), "Video Connect");
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 8.25);
    EXPECT_FALSE(button->font().bold());
    button->LoadProperties(
        StoredProperties::CaptionAndFont("Bold", "No Such Font Family", 120000, true));
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 12.0);
    EXPECT_TRUE(button->font().bold());
    // A bag without a caption leaves the caption as it is.
    button->LoadProperties({});
    EXPECT_EQ(button->text(), "Bold");
}

TEST_F(SkinComponents, LabelCaptionIsTheTextItShows) {
    auto label = Make<SkinLabel>(ClassIds::SkinLabel);
    CSkinLabel wrapper(label.get());
    wrapper.SetCaption("Sending To Web...");
    EXPECT_EQ(label->text(), "Sending To Web...");
    // A get gives back the very bytes that were put, whatever the locale.
    const std::string bytes = "Caf\xE9 & <b>";
    wrapper.SetCaption(bytes);
    std::vector<Variant> none;
    EXPECT_EQ(label->Invoke(-517, CallKind::PropertyGet, none), Variant::Text(bytes));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(SkinComponents, FormKeepsTheSkinFileAsGiven) {
    auto form = Make<SkinForm>(ClassIds::SkinForm);
    CSkinForm wrapper(form.get());
    wrapper.SetSkinFile("relative/blue.skn");
    EXPECT_EQ(form->skinFile(), "relative/blue.skn");
    wrapper.SetSkinFile("");
    EXPECT_EQ(form->skinFile(), "");
}

TEST_F(SkinComponents, BindFormKeepsTheLastForm) {
    auto form = Make<SkinForm>(ClassIds::SkinForm);
    auto button = Make<SkinButton>(ClassIds::SkinButton);
    auto label = Make<SkinLabel>(ClassIds::SkinLabel);
    Query<ISkinButton>(button.get())->BindForm(Query<ISkinForm>(form.get()), 0);
    Query<ISkinLabel>(label.get())->BindForm(Query<ISkinForm>(form.get()), 0);
    EXPECT_EQ(button->boundForm(), static_cast<ISkinForm*>(form.get()));
    EXPECT_EQ(label->boundForm(), static_cast<ISkinForm*>(form.get()));
    Query<ISkinButton>(button.get())->BindForm(nullptr, 0);
    EXPECT_EQ(button->boundForm(), nullptr);
}

struct UnknownMember {
    const char* name;
    Guid clsid;
    DispId id;
    CallKind kind;
};

class UnknownMembers : public SkinComponents,
                       public ::testing::WithParamInterface<UnknownMember> {};

TEST_P(UnknownMembers, RaiseMemberNotFound) {
    auto component = registry.Create(GetParam().clsid);
    std::vector<Variant> args{Variant::Text("x")};
    try {
        component->Invoke(GetParam().id, GetParam().kind,
                          GetParam().kind == CallKind::PropertyPut ? std::span<const Variant>(args)
                                                                   : std::span<const Variant>());
        ADD_FAILURE() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.code(), ComponentError::MemberNotFound);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Members, UnknownMembers,
    ::testing::Values(UnknownMember{"FormCaption", ClassIds::SkinForm, -517, CallKind::PropertyPut},
                      UnknownMember{"ButtonMethod", ClassIds::SkinButton, 1, CallKind::Method},
                      UnknownMember{"LabelSkinFile", ClassIds::SkinLabel, 1,
                                    CallKind::PropertyPut}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinComponents, WrongArgumentTypeRaisesAndChangesNothing) {
    auto label = Make<SkinLabel>(ClassIds::SkinLabel);
    CSkinLabel(label.get()).SetCaption("kept");
    std::vector<Variant> args{Variant::Int32(5)};
    EXPECT_THROW(label->Invoke(-517, CallKind::PropertyPut, args), ComponentError);
    EXPECT_EQ(label->text(), "kept");
}

} // namespace
