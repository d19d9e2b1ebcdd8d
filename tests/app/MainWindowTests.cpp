#include "MainWindowFixture.h"
#include "app/AboutDlg.h"
#include "app/ControllerApp.h"
#include "app/DialogTemplates.h"
#include "app/ServiceAddress.h"
#include "components/ClassIds.h"
#include "controls/LinkLabel.h"
#include "platform/DialogUnits.h"
#include "platform/FileError.h"
#include "settings/MainSettings.h"
#include "skins/SkinButton.h"
#include "skins/SkinComponents.h"
#include "skins/SkinForm.h"
#include "skins/SkinLabel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QTextBrowser>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using namespace ControlIds;

class MainWindow : public ::testing::Test {
protected:
    std::unique_ptr<CControllerDlg> Created(const StringTable& strings = StringTable::Program(),
                                            std::string programPath = {}) {
        auto dlg = world.MakeWindow(strings, std::move(programPath));
        EXPECT_TRUE(dlg->Create());
        return dlg;
    }
    SkinButton* Button(CControllerDlg& dlg, int id) {
        return dynamic_cast<SkinButton*>(dlg.HostedComponent(id));
    }
    void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
    }

    ScopedTestDir dir;
    MainWindowWorld world;
};

// ---- Creation -------------------------------------------------------------

TEST_F(MainWindow, CreatesTheControlsInTemplateOrderAtTheirPlaces) {
    auto dlg = Created();
    EXPECT_THAT(dlg->CreationOrder(), ElementsAre(1000, 1020, 1025, 1026, 1027, 1028, 1029, 1031,
                                                  1036, 1030, 1042, 1032, 1040, 1024, 1033));
    const DialogUnits du(dlg->font());
    EXPECT_EQ(dlg->size(), QSize(du.X(331), du.Y(181)));
    for (const ControlTemplate& c : MainWindowTemplate().controls) {
        QWidget* w = dlg->ControlWidget(c.id);
        if (c.id == kFtp) {
            // The file transfer component is no window: it is only owned.
            EXPECT_EQ(w, nullptr);
            EXPECT_EQ(dlg->HostedComponent(c.id), world.ftp);
            continue;
        }
        ASSERT_NE(w, nullptr) << c.id;
        EXPECT_EQ(w->parentWidget(), dlg.get()) << c.id;
        EXPECT_EQ(w->geometry(), du.ToPixels(c.left, c.top, c.width, c.height)) << c.id;
    }
    EXPECT_EQ(dlg->windowTitle(), "Corvalen Controller");
    EXPECT_FALSE(dlg->windowIcon().isNull());
}

TEST_F(MainWindow, ButtonsAndStatusLineGetTheirStoredCaptionsAndFont) {
    auto dlg = Created();
    EXPECT_EQ(Button(*dlg, kStart)->text(), "Start");
    EXPECT_EQ(Button(*dlg, kVideoConnect)->text(), "Video Connect");
    EXPECT_EQ(Button(*dlg, kShowHide)->text(), "Show / Hide");
    EXPECT_DOUBLE_EQ(Button(*dlg, kHelp)->font().pointSizeF(), 8.25);
    EXPECT_FALSE(Button(*dlg, kHelp)->font().bold());
    auto* status = dynamic_cast<SkinLabel*>(dlg->HostedComponent(kStatusLine));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Click Start to begin ...");
    EXPECT_DOUBLE_EQ(status->font().pointSizeF(), 8.25);
    EXPECT_EQ(dlg->LinkLabel()->text().toStdString(), ServiceWebAddress());
}

TEST_F(MainWindow, OnlyTheVideoAndTransferComponentsAreTabStops) {
    auto dlg = Created();
    for (const ControlTemplate& c : MainWindowTemplate().controls)
        if (QWidget* w = dlg->ControlWidget(c.id))
            EXPECT_EQ(bool(w->focusPolicy() & Qt::TabFocus), c.id == kVideo) << c.id;
}

TEST_F(MainWindow, MissingComponentClassAbandonsTheWindowSilently) {
    ComponentRegistry partial;
    RegisterSkinComponents(partial);
    partial.Register(ClassIds::FtpClient,
                     [this] { return std::make_unique<RecordingComponent>("ftp", &world.log); });
    CControllerDlg dlg({partial, world.values, world.settings, world.boxes});
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_THAT(dlg.CreationOrder(), IsEmpty());
    EXPECT_EQ(dlg.findChildren<QWidget*>().size(), 0);
    EXPECT_THAT(world.boxes.shown, IsEmpty());
    EXPECT_THAT(world.log.entries(), IsEmpty()); // no initialisation ran
}

TEST_F(MainWindow, ApplicationEndsWithoutAMessageWhenAComponentIsMissing) {
    ComponentRegistry partial;
    RegisterSkinComponents(partial);
    auto boxes = std::make_unique<ScriptedBoxes>();
    ScriptedBoxes* shown = boxes.get();
    int argc = 1;
    char name[] = "corvalen-controller";
    char* argv[] = {name, nullptr};
    CControllerApp app(argc, argv, std::move(partial), nullptr, std::move(boxes));
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_THAT(shown->shown, IsEmpty());
}

// ---- Initialisation -------------------------------------------------------

TEST_F(MainWindow, InitialisationReadsSettingsAppliesTheSkinAndStartsTheVideo) {
    world.settings.fileContents.skinFile = "skins/blue.skn";
    auto dlg = Created();
    EXPECT_THAT(world.log.entries(),
                ElementsAre("settings.load", "video.put 52 true", "video.put 44 true"));
    auto* form = dynamic_cast<SkinForm*>(dlg->HostedComponent(kSkinForm));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->skinFile(), "skins/blue.skn");
    for (int id : {1025, 1026, 1027, 1028, 1029, 1031, 1030, 1032, 1033})
        EXPECT_EQ(Button(*dlg, id)->boundForm(), static_cast<ISkinForm*>(form)) << id;
    auto* status = dynamic_cast<SkinLabel*>(dlg->HostedComponent(kStatusLine));
    EXPECT_EQ(status->boundForm(), static_cast<ISkinForm*>(form));
    EXPECT_THAT(world.boxes.shown, IsEmpty());
    EXPECT_EQ(dlg->focusWidget(), static_cast<QWidget*>(world.video));
}

TEST_F(MainWindow, FailingSettingsReadIsShownAndEndsTheInitialisationThere) {
    world.settings.failLoad = [] { throw FileError(FileError::Cause::NotFound, "tamblix.ini"); };
    auto dlg = Created();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].text, "tamblix.ini was not found.");
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONSTOP));
    // No skin, and the video properties not set; the window runs all the same.
    EXPECT_THAT(world.log.entries(), ElementsAre("settings.load"));
    EXPECT_EQ(dynamic_cast<SkinForm*>(dlg->HostedComponent(kSkinForm))->skinFile(), "");
    EXPECT_EQ(Button(*dlg, kStart)->boundForm(), nullptr);
    dlg->ShowStatus("still alive");
    EXPECT_EQ(dynamic_cast<SkinLabel*>(dlg->HostedComponent(kStatusLine))->text(), "still alive");
}

TEST_F(MainWindow, FailingVideoStartIsShownAfterTheSkinIsApplied) {
    world.registry.Register(ClassIds::VideoCapture, [this] {
        auto c = std::make_unique<FakeVideoWidget>(&world.log);
        c->FailOn(52, CallKind::PropertyPut);
        world.video = c.get();
        return c;
    });
    auto dlg = Created();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_THAT(world.log.entries(), ElementsAre("settings.load", "video.put 52 true"));
}

// ---- System menu and About box ---------------------------------------------

TEST_F(MainWindow, SystemMenuEndsWithSeparatorAndAboutItem) {
    auto dlg = Created();
    const auto actions = dlg->SystemMenu()->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(actions.back()->text(), "&About Corvalen...");
    EXPECT_EQ(actions.back()->data().toUInt(), 0x0010u);
}

TEST_F(MainWindow, EmptyString101AddsNeitherSeparatorNorAboutItem) {
    const StringTable noAbout({{101, ""}});
    auto dlg = Created(noAbout);
    const auto actions = dlg->SystemMenu()->actions();
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_FALSE(actions.back()->isSeparator());
    EXPECT_NE(actions.back()->data().toUInt(), 0x0010u);
    for (QAction* a : actions)
        EXPECT_NE(a->data().toUInt() & 0xFFF0, 0x0010u);
    // The command itself still opens the box.
    ModalCloser closer;
    closer.Arm();
    dlg->OnSysCommand(0x0010);
    EXPECT_EQ(closer.title(), "About Corvalen");
}

struct SysCommandCase {
    const char* name;
    unsigned command;
    bool opensAbout;
};

class SystemCommands : public MainWindow, public ::testing::WithParamInterface<SysCommandCase> {};

TEST_P(SystemCommands, OnlyTheAboutRangeOpensTheAboutBox) {
    auto dlg = Created();
    ModalCloser closer;
    closer.Arm();
    dlg->OnSysCommand(GetParam().command);
    QCoreApplication::processEvents();
    EXPECT_EQ(closer.title(), GetParam().opensAbout ? "About Corvalen" : "");
    EXPECT_EQ(dlg->result(), 0); // the window did not close
}

INSTANTIATE_TEST_SUITE_P(Commands, SystemCommands,
                         ::testing::Values(SysCommandCase{"About", 0x0010, true},
                                           SysCommandCase{"AboutLowBits", 0x0013, true},
                                           SysCommandCase{"AboutTop", 0x001F, true},
                                           SysCommandCase{"Zero", 0x0000, false},
                                           SysCommandCase{"Below", 0x000F, false},
                                           SysCommandCase{"Above", 0x0020, false},
                                           SysCommandCase{"KeyMenu", 0xF100, false},
                                           SysCommandCase{"Minimize", 0xF020, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, F1InTheAboutBoxAsksForItsOwnContext) {
    dir.Write("corvalen-controller.HLP",
              "<html><body><a name=\"context-20064\"></a>About</body></html>");
    auto dlg = Created(StringTable::Program(), dir.File("corvalen-controller"));
    CAboutDlg about(dlg.get(), [&](int templateId) { dlg->Help().ContextHelp(templateId); });
    about.show();
    PressKey(&about, Qt::Key_F1);
    ASSERT_NE(dlg->HelpWindowShown(), nullptr);
    EXPECT_EQ(dlg->HelpWindowShown()->anchor(), "context-20064");
    PressKey(&about, Qt::Key_F1, Qt::ShiftModifier); // not the Help command
    EXPECT_TRUE(about.isVisible());
}

TEST_F(MainWindow, AboutBoxShowsVersionAndWebAddress) {
    auto dlg = Created();
    CAboutDlg about(dlg.get());
    EXPECT_EQ(about.windowTitle(), "About Corvalen");
    EXPECT_EQ(about.text(1101)->text(), "Corvalen Controller 1.0");
    EXPECT_FALSE(about.text(1102)->text().isEmpty());
    EXPECT_EQ(about.text(1103)->text().toStdString(), ServiceWebAddress());
    const DialogUnits du(about.font());
    EXPECT_EQ(about.size(), QSize(du.X(235), du.Y(66)));
    auto* ok = about.findChild<QPushButton*>("1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), du.ToPixels(178, 7, 50, 14));
    about.show();
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// ---- Status line and progress bar ------------------------------------------

TEST_F(MainWindow, StatusLineKeepsOnlyTheLastText) {
    auto dlg = Created();
    dlg->ShowStatus("Capturing...");
    dlg->ShowStatus("Done...");
    auto* status = dynamic_cast<SkinLabel*>(dlg->HostedComponent(kStatusLine));
    EXPECT_EQ(status->text(), "Done...");
}

struct ProgressEvent {
    const char* name;
    int16_t percent;
    int shown;
};

class ProgressBarEvents : public MainWindow, public ::testing::WithParamInterface<ProgressEvent> {};

TEST_P(ProgressBarEvents, ShowTheNearerEndOrZeroWhenDone) {
    auto dlg = Created();
    dlg->ProgressBar()->setRange(0, 10); // the event sets the range every time
    dlg->ProgressBar()->setValue(7);
    std::vector<Variant> args{Variant::Int32(1), Variant::Int32(2),
                              Variant::Int16(GetParam().percent)};
    EXPECT_TRUE(world.ftp->Fire(8, args));
    EXPECT_EQ(dlg->ProgressBar()->minimum(), 0);
    EXPECT_EQ(dlg->ProgressBar()->maximum(), 100);
    EXPECT_EQ(dlg->ProgressBar()->value(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressBarEvents,
                         ::testing::Values(ProgressEvent{"Half", 50, 50},
                                           ProgressEvent{"Done", 100, 0},
                                           ProgressEvent{"Negative", -5, 0},
                                           ProgressEvent{"Above", 250, 100},
                                           ProgressEvent{"Almost", 99, 99}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Component events --------------------------------------------------------

TEST_F(MainWindow, UnhandledEventsAreIgnoredWithArgumentsUnchanged) {
    auto dlg = Created();
    world.log.Clear();
    std::vector<Variant> args{Variant::Int32(640), Variant::Int32(480), Variant::Bool(true)};
    EXPECT_TRUE(world.video->Fire(1, args));
    EXPECT_THAT(args, ElementsAre(Variant::Int32(640), Variant::Int32(480), Variant::Bool(true)));
    EXPECT_THAT(world.log.entries(), IsEmpty());
    EXPECT_THAT(world.boxes.shown, IsEmpty());
}

TEST_F(MainWindow, ButtonsRunTheirVideoCommands) {
    auto dlg = Created();
    world.log.Clear();
    Button(*dlg, kFormat)->click();
    Button(*dlg, kShowHide)->click();
    Button(*dlg, kVideoConnect)->click();
    EXPECT_THAT(world.log.entries(),
                ElementsAre("video.call 29", "video.put 44 true", "video.get 17",
                            "video.put 17 false", "video.call 34", "video.call 51 0",
                            "video.put 44 true"));
}

TEST_F(MainWindow, EventHandlerErrorIsSwallowedAndTheWindowStaysUsable) {
    auto dlg = Created();
    world.video->FailOn(28, CallKind::Method, 1);
    world.log.Clear();
    Button(*dlg, kSource)->click();
    EXPECT_THAT(world.log.entries(), ElementsAre("video.call 28"));
    EXPECT_THAT(world.boxes.shown, IsEmpty());
    Button(*dlg, kSource)->click();
    EXPECT_THAT(world.log.entries(),
                ElementsAre("video.call 28", "video.call 28", "video.put 44 true"));
}

TEST_F(MainWindow, CommandButtonsReachTheirCallPoints) {
    auto dlg = Created();
    std::vector<std::string> ran;
    dlg->SetCommands({[&] { ran.push_back("start"); }, [&] { ran.push_back("timer"); },
                      [&] { ran.push_back("settings"); }, [&] { ran.push_back("skin"); }});
    Button(*dlg, kStart)->click();
    Button(*dlg, kSettings)->click();
    Button(*dlg, kSkin)->click();
    dlg->OnTimer();
    EXPECT_THAT(ran, ElementsAre("start", "settings", "skin", "timer"));
}

TEST_F(MainWindow, ErrorEscapingTheTimerIsShownInAStopBox) {
    auto dlg = Created();
    dlg->SetCommands({{}, [] { throw std::runtime_error("Corv2.ini was not found."); }, {}, {}});
    dlg->HandleTimerMessage();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].text, "Corv2.ini was not found.");
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONSTOP));
}

// ---- Help ----------------------------------------------------------------------

TEST_F(MainWindow, HelpButtonWithoutHelpFileSaysSo) {
    auto dlg = Created(StringTable::Program(), dir.File("corvalen-controller"));
    Button(*dlg, kHelp)->click();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].text, "Failed to launch help.");
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(dlg->HelpWindowShown(), nullptr);
}

TEST_F(MainWindow, HelpButtonShowsContentsAndF1TheWindowsContext) {
    dir.Write("corvalen-controller.HLP",
              "<html><body><h1>Help</h1><a name=\"context-20066\"></a>Main</body></html>");
    auto dlg = Created(StringTable::Program(), dir.File("corvalen-controller"));
    Button(*dlg, kHelp)->click();
    ASSERT_NE(dlg->HelpWindowShown(), nullptr);
    EXPECT_TRUE(dlg->HelpWindowShown()->isVisible());
    EXPECT_EQ(dlg->HelpWindowShown()->anchor(), "");
    EXPECT_TRUE(dlg->HelpWindowShown()->browser()->toPlainText().contains("Help"));
    PressKey(dlg.get(), Qt::Key_F1);
    EXPECT_EQ(dlg->HelpWindowShown()->anchor(), "context-20066");
    EXPECT_THAT(world.boxes.shown, IsEmpty());
}

TEST_F(MainWindow, ShippedHelpFileHasTheContextsThatF1Opens) {
    const std::string source = CORVALEN_SOURCE_DIR;
    const std::string html = [&] {
        QFile f(QString::fromStdString(source + "/res/help.html"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().toStdString();
    }();
    EXPECT_NE(html.find("name=\"context-20066\""), std::string::npos);
    EXPECT_NE(html.find("name=\"context-20064\""), std::string::npos);
    EXPECT_NE(html.find("name=\"context-20083\""), std::string::npos);
}

// ---- Closing -------------------------------------------------------------------

TEST_F(MainWindow, EnterStopsTimer1AndClosesWithOk) {
    auto dlg = Created();
    dlg->show();
    dlg->Timer1().Start(1000);
    Button(*dlg, kStart)->setFocus();
    bool started = false;
    dlg->SetCommands({[&] { started = true; }, {}, {}, {}});
    PressKey(Button(*dlg, kStart), Qt::Key_Return);
    EXPECT_FALSE(started); // a skin button is no default button
    EXPECT_FALSE(dlg->Timer1().IsRunning());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(world.settings.saved);
    EXPECT_TRUE(QDir(QString::fromStdString(dir.path())).isEmpty());
}

struct CancelRoute {
    const char* name;
    std::function<void(CControllerDlg&)> close;
};

class CancelRoutes : public MainWindow, public ::testing::WithParamInterface<CancelRoute> {};

TEST_P(CancelRoutes, CloseWithCancelAndWriteNothing) {
    auto dlg = Created();
    dlg->show();
    GetParam().close(*dlg);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(world.settings.saved);
    EXPECT_TRUE(QDir(QString::fromStdString(dir.path())).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Routes, CancelRoutes,
    ::testing::Values(CancelRoute{"Escape",
                                  [](CControllerDlg& d) {
                                      QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape,
                                                      Qt::NoModifier);
                                      QApplication::sendEvent(&d, &press);
                                  }},
                      CancelRoute{"CloseBox", [](CControllerDlg& d) { d.close(); }},
                      CancelRoute{"CloseInSystemMenu",
                                  [](CControllerDlg& d) { d.OnSysCommand(0xF060); }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Screenshot ------------------------------------------------------------------

TEST(MainWindowPicture, RendersUnderTheOffscreenPlatform) {
    MainWindowWorld world;
    auto dlg = world.MakeWindow();
    ASSERT_TRUE(dlg->Create());
    dlg->show();
    QCoreApplication::processEvents();
    const QImage shot = dlg->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The picture area is drawn by the video component, not left blank.
    const QRect video = dlg->ControlWidget(kVideo)->geometry();
    EXPECT_NE(shot.pixelColor(video.topLeft() + QPoint(2, 2)),
              shot.pixelColor(video.bottomRight() - QPoint(2, 2)));
    // Kept beside the test (in the build folder) for the documentation.
    EXPECT_TRUE(shot.save(QStringLiteral("main-window.png")));
}

} // namespace

namespace {

TEST(MainWindowWithSettingsFile, MissingSettingsFileIsShownAndTheWindowOpensWithoutSkin) {
    ScopedTestDir dir;
    MainWindowWorld world;
    MainSettings settings(world.values);
    CControllerDlg dlg({world.registry, world.values, settings, world.boxes});
    ASSERT_TRUE(dlg.Create());
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].text, "tamblix.ini was not found.");
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_THAT(world.log.entries(), IsEmpty()); // no skin, no video start
    EXPECT_FALSE(dir.Exists("tamblix.ini"));     // nothing written either
}

} // namespace
