#include "RecordingComponent.h"
#include "app/DialogTemplates.h"
#include "app/ErrorReport.h"
#include "app/EventTable.h"
#include "app/HelpLauncher.h"
#include "app/Resources.h"
#include "app/ServiceAddress.h"
#include "app/TransferProgress.h"
#include "app/VideoCommands.h"
#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "platform/FileError.h"
#include "platform/MessageBoxes.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// ---- Video device commands ------------------------------------------------

class VideoCommandsTest : public ::testing::Test {
protected:
    CallLog log;
    RecordingComponent component{"video", &log};
    CXVideoCtlx video{&component};
    VideoCommands commands{video, [this] { log.Add("window.repaint"); }};

    void SetUp() override {
        // The device dialogs answer whether the user confirmed.
        for (DispId dialog : {28, 29, 45})
            component.SetResult(dialog, CallKind::Method, Variant::Bool(true));
    }
};

struct DeviceCommand {
    const char* name;
    void (VideoCommands::*run)();
    std::vector<std::string> calls;
};

class DeviceCommandSteps : public VideoCommandsTest,
                           public ::testing::WithParamInterface<DeviceCommand> {};

TEST_P(DeviceCommandSteps, RunInOrder) {
    (commands.*GetParam().run)();
    EXPECT_EQ(log.entries(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DeviceCommandSteps,
    ::testing::Values(
        DeviceCommand{"Source", &VideoCommands::OnSource, {"video.call 28", "video.put 44 true"}},
        DeviceCommand{"Format",
                      &VideoCommands::OnFormat,
                      {"video.call 29", "window.repaint", "video.put 44 true"}},
        DeviceCommand{
            "Compression", &VideoCommands::OnCompression, {"video.call 45", "video.put 44 true"}},
        DeviceCommand{"VideoConnect",
                      &VideoCommands::OnVideoConnect,
                      {"video.call 34", "video.call 51 0", "video.put 44 true"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailingDialog {
    const char* name;
    void (VideoCommands::*run)();
    DispId dialog;
};

class FailingDialogCall : public VideoCommandsTest,
                          public ::testing::WithParamInterface<FailingDialog> {};

TEST_P(FailingDialogCall, EndsTheCommandBeforeProperty44) {
    component.FailOn(GetParam().dialog, CallKind::Method);
    EXPECT_THROW((commands.*GetParam().run)(), ComponentError);
    EXPECT_EQ(component.CallCount(CXVideoCtlx::kStreaming, CallKind::PropertyPut), 0);
    EXPECT_THAT(log.entries(), ElementsAre("video.call " + std::to_string(GetParam().dialog)));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, FailingDialogCall,
                         ::testing::Values(FailingDialog{"Source", &VideoCommands::OnSource, 28},
                                           FailingDialog{"Format", &VideoCommands::OnFormat, 29},
                                           FailingDialog{"Compression",
                                                         &VideoCommands::OnCompression, 45}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VideoCommandsTest, CancelledDialogStillSetsProperty44) {
    component.SetResult(CXVideoCtlx::kSourceDialog, CallKind::Method, Variant::Bool(false));
    commands.OnSource();
    EXPECT_THAT(log.entries(), ElementsAre("video.call 28", "video.put 44 true"));
}

TEST_F(VideoCommandsTest, ShowHideWritesTheNegationOfWhatItReads) {
    component.SetResult(CXVideoCtlx::kPreview, CallKind::PropertyGet, Variant::Bool(true));
    commands.OnShowHide();
    component.SetResult(CXVideoCtlx::kPreview, CallKind::PropertyGet, Variant::Bool(false));
    commands.OnShowHide();
    EXPECT_THAT(log.entries(), ElementsAre("video.get 17", "video.put 17 false", "video.get 17",
                                           "video.put 17 true"));
}

TEST_F(VideoCommandsTest, ShowHideTwiceReturnsToTheFirstState) {
    // The fake returns what was last put, as the component does.
    component.Invoke(CXVideoCtlx::kPreview, CallKind::PropertyPut,
                     std::vector{Variant::Bool(true)});
    log.Clear();
    commands.OnShowHide();
    EXPECT_FALSE(video.GetPreview());
    commands.OnShowHide();
    EXPECT_TRUE(video.GetPreview());
}

TEST_F(VideoCommandsTest, VideoConnectRepeatsWithZeroEveryTime) {
    commands.OnVideoConnect();
    commands.OnVideoConnect();
    EXPECT_THAT(log.entries(),
                ElementsAre("video.call 34", "video.call 51 0", "video.put 44 true",
                            "video.call 34", "video.call 51 0", "video.put 44 true"));
}

TEST_F(VideoCommandsTest, FailingReconnectStopsBeforeTheNextStep) {
    component.FailOn(CXVideoCtlx::kDisconnectDevice, CallKind::Method);
    EXPECT_THROW(commands.OnVideoConnect(), ComponentError);
    EXPECT_THAT(log.entries(), ElementsAre("video.call 34"));
}

// ---- Transfer progress ----------------------------------------------------

class RecordingBar : public IProgressBar {
public:
    void SetRange(int lower, int upper) override {
        calls.push_back("range " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetPos(int pos) override { calls.push_back("pos " + std::to_string(pos)); }
    std::vector<std::string> calls;
};

struct ProgressCase {
    const char* name;
    int16_t percent;
    std::vector<std::string> calls;
};

class TransferProgressSteps : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(TransferProgressSteps, SetRangeThenPassTheValueUnchanged) {
    RecordingBar bar;
    std::vector<Variant> args{Variant::Int32(7), Variant::Int32(9),
                              Variant::Int16(GetParam().percent)};
    ShowTransferProgress(bar, args);
    EXPECT_EQ(bar.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TransferProgressSteps,
    ::testing::Values(ProgressCase{"Zero", 0, {"range 0 100", "pos 0"}},
                      ProgressCase{"Half", 50, {"range 0 100", "pos 50"}},
                      ProgressCase{"Done", 100, {"range 0 100", "pos 100", "pos 0"}},
                      ProgressCase{"Negative", -5, {"range 0 100", "pos -5"}},
                      ProgressCase{"Above", 250, {"range 0 100", "pos 250"}},
                      ProgressCase{"Lowest", -32768, {"range 0 100", "pos -32768"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransferProgress, MalformedEventRaisesAndLeavesTheBarAlone) {
    RecordingBar bar;
    std::vector<Variant> two{Variant::Int32(0), Variant::Int32(0)};
    EXPECT_THROW(ShowTransferProgress(bar, two), ComponentError);
    std::vector<Variant> wrongType{Variant::Int32(0), Variant::Int32(0), Variant::Text("50")};
    EXPECT_THROW(ShowTransferProgress(bar, wrongType), ComponentError);
    EXPECT_THAT(bar.calls, IsEmpty());
}

// ---- Help -----------------------------------------------------------------

struct HelpPathCase {
    const char* name;
    std::string program;
    std::string help;
};

class HelpPath : public ::testing::TestWithParam<HelpPathCase> {};

TEST_P(HelpPath, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(HelpFilePath(GetParam().program), GetParam().help);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HelpPath,
    ::testing::Values(HelpPathCase{"NoExtension", "/usr/bin/corvalen-controller",
                                   "/usr/bin/corvalen-controller.HLP"},
                      HelpPathCase{"Extension", "/opt/corvalen/Controller.exe",
                                   "/opt/corvalen/Controller.HLP"},
                      HelpPathCase{"LastDotOnly", "/opt/c/prog.v1.bin", "/opt/c/prog.v1.HLP"},
                      HelpPathCase{"DotInFolder", "/opt/corvalen-1.0/controller",
                                   "/opt/corvalen-1.0/controller.HLP"},
                      HelpPathCase{"HiddenFile", "/home/u/.controller", "/home/u/.controller.HLP"},
                      HelpPathCase{"BareName", "controller.exe", "controller.HLP"}),
    [](const auto& info) { return std::string(info.param.name); });

class FakeViewer : public IHelpViewer {
public:
    bool Show(const std::string& file, const std::string& anchor) override {
        shown.push_back(file + "#" + anchor);
        return works;
    }
    bool works = true;
    std::vector<std::string> shown;
};

class FakeBoxes : public IMessageBoxes {
public:
    int Show(const std::string& text, unsigned type) override {
        boxes.push_back({text, type});
        if (auto f = std::exchange(whileOpen, nullptr))
            f(); // once
        return IDOK;
    }
    std::vector<std::pair<std::string, unsigned>> boxes;
    std::function<void()> whileOpen; // runs as if from the box's own event loop
};

TEST(Help, ContentsAndContextsOpenTheProgramsHelpFile) {
    FakeViewer viewer;
    FakeBoxes boxes;
    CHelp help("/opt/c/corvalen-controller", viewer, boxes);
    help.WinHelp(0, CHelp::HELP_CONTENTS);
    help.ContextHelp(Resources::IDD_CONTROLLER_DIALOG);
    help.ContextHelp(Resources::IDD_ABOUTBOX);
    EXPECT_THAT(viewer.shown, ElementsAre("/opt/c/corvalen-controller.HLP#",
                                          "/opt/c/corvalen-controller.HLP#context-20066",
                                          "/opt/c/corvalen-controller.HLP#context-20064"));
    EXPECT_THAT(boxes.boxes, IsEmpty());
}

TEST(Help, ViewerFailureIsReportedWithTheExclamationIcon) {
    FakeViewer viewer;
    viewer.works = false;
    FakeBoxes boxes;
    CHelp help("/nowhere/prog", viewer, boxes);
    help.WinHelp(0, CHelp::HELP_CONTENTS);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].first, "Failed to launch help.");
    EXPECT_EQ(boxes.boxes[0].second, unsigned(MB_OK | MB_ICONEXCLAMATION));
}

// ---- Event table and error reports ----------------------------------------

TEST(EventTable, UnhandledEventLeavesItsByRefArgumentsUnchanged) {
    EventTable table;
    bool ran = false;
    table.On(1000, 8, [&](std::span<Variant> args) {
        ran = true;
        args[0].setInt32(99);
    });
    std::vector<Variant> args{Variant::Int32(1), Variant::Int32(2), Variant::Bool(true)};
    table.Dispatch(1024, 1, args); // the video component's event 1: no entry
    table.Dispatch(1000, 1, args); // right control, other event
    EXPECT_FALSE(ran);
    EXPECT_THAT(args, ElementsAre(Variant::Int32(1), Variant::Int32(2), Variant::Bool(true)));
    table.Dispatch(1000, 8, args);
    EXPECT_TRUE(ran);
    EXPECT_EQ(args[0], Variant::Int32(99));
}

TEST(EventTable, HandlerErrorsGoBackToTheCaller) {
    EventTable table;
    table.On(1026, 1, [](std::span<Variant>) {
        throw ComponentError(ComponentError::Failed, "dialog failed");
    });
    EXPECT_THROW(table.Dispatch(1026, 1, {}), ComponentError);
}

TEST(ErrorReport, EscapingErrorIsShownInAStopBoxWithItsText) {
    FakeBoxes boxes;
    ErrorReport errors(boxes);
    errors.Run([] { throw FileError(FileError::Cause::NotFound, "tamblix.ini"); });
    errors.Run([] { throw 42; });
    errors.Run([] {});
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].first, "tamblix.ini was not found.");
    EXPECT_EQ(boxes.boxes[0].second, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_FALSE(boxes.boxes[1].first.empty());
    EXPECT_EQ(boxes.boxes[1].second, unsigned(MB_OK | MB_ICONSTOP));
}

TEST(ErrorReport, NoSecondBoxWhileOneIsOpen) {
    // The countdown keeps ticking behind an open box; a pass failing again
    // from there must not stack a second box on the first.
    FakeBoxes boxes;
    ErrorReport errors(boxes);
    int handlersRun = 0;
    boxes.whileOpen = [&] {
        EXPECT_TRUE(errors.IsShowing());
        errors.Run([&] {
            ++handlersRun;
            throw std::runtime_error("second");
        });
    };
    errors.Run([] { throw std::runtime_error("first"); });
    EXPECT_EQ(handlersRun, 1);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].first, "first");
    EXPECT_FALSE(errors.IsShowing());
    errors.Run([] { throw std::runtime_error("third"); });
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

// ---- Templates, strings, addresses ----------------------------------------

TEST(StringTable, AboutItemTextAndMissingStrings) {
    EXPECT_EQ(StringTable::Program().Load(Resources::IDS_ABOUTBOX), "&About Corvalen...");
    EXPECT_EQ(StringTable::Program().Load(9999), "");
}

TEST(WebAddress, PortOnlyWhenNot80) {
    EXPECT_EQ(WebAddress("www.corvalen.com", 80), "http://www.corvalen.com/");
    EXPECT_EQ(WebAddress("127.0.0.1", 8080), "http://127.0.0.1:8080/");
}

struct PlacedControl {
    int id;
    int left, top, width, height;
};

TEST(MainWindowTemplate, ControlsInCreationOrderAtTheirPlaces) {
    const DialogTemplate& t = MainWindowTemplate();
    EXPECT_EQ(t.id, 102);
    EXPECT_EQ(t.caption, "Corvalen Controller");
    EXPECT_EQ(t.width, 331);
    EXPECT_EQ(t.height, 181);
    EXPECT_EQ(t.fontName, "MS Sans Serif");
    EXPECT_EQ(t.fontPoints, 8);
    std::vector<std::tuple<int, int, int, int, int>> placed;
    for (const auto& c : t.controls)
        placed.emplace_back(c.id, c.left, c.top, c.width, c.height);
    EXPECT_THAT(placed,
                ElementsAre(std::tuple(1000, 306, 9, 19, 17), std::tuple(1020, 244, 166, 80, 9),
                            std::tuple(1025, 7, 51, 63, 13), std::tuple(1026, 7, 66, 63, 13),
                            std::tuple(1027, 7, 81, 63, 13), std::tuple(1028, 7, 96, 63, 13),
                            std::tuple(1029, 7, 111, 63, 13), std::tuple(1031, 7, 8, 63, 24),
                            std::tuple(1036, 7, 165, 103, 10), std::tuple(1030, 7, 126, 63, 13),
                            std::tuple(1042, 145, 163, 81, 12), std::tuple(1032, 7, 36, 63, 13),
                            std::tuple(1040, 71, 143, 21, 20), std::tuple(1024, 79, 9, 155, 140),
                            std::tuple(1033, 7, 141, 63, 13)));
}

TEST(MainWindowTemplate, ClassesCaptionsAndTabStops) {
    std::map<int, const ControlTemplate*> byId;
    for (const auto& c : MainWindowTemplate().controls)
        byId[c.id] = &c;
    EXPECT_EQ(*byId[1000]->clsid, ClassIds::FtpClient);
    EXPECT_EQ(*byId[1024]->clsid, ClassIds::VideoCapture);
    EXPECT_EQ(*byId[1036]->clsid, ClassIds::SkinLabel);
    EXPECT_EQ(*byId[1040]->clsid, ClassIds::SkinForm);
    const std::map<int, std::string> buttons{
        {1025, "Settings"},    {1026, "Source"},        {1027, "Format"},
        {1028, "Compression"}, {1029, "Show / Hide"},   {1031, "Start"},
        {1030, "Skin"},        {1032, "Video Connect"}, {1033, "Help"}};
    for (const auto& [id, caption] : buttons) {
        EXPECT_EQ(*byId[id]->clsid, ClassIds::SkinButton) << id;
        EXPECT_EQ(byId[id]->caption, caption) << id;
    }
    EXPECT_EQ(byId[1036]->caption, "Click Start to begin ...");
    EXPECT_EQ(byId[1042]->caption, ServiceWebAddress());
    for (const auto& c : MainWindowTemplate().controls)
        EXPECT_EQ(c.tabStop, c.id == 1000 || c.id == 1024) << c.id;
}

TEST(AboutBoxTemplate, TextsAndPlaces) {
    const DialogTemplate& t = AboutBoxTemplate();
    EXPECT_EQ(t.id, 100);
    EXPECT_EQ(t.caption, "About Corvalen");
    EXPECT_EQ(std::pair(t.width, t.height), std::pair(235, 66));
    ASSERT_EQ(t.controls.size(), 4u);
    EXPECT_EQ(t.controls[0].caption, "Corvalen Controller 1.0");
    EXPECT_EQ(std::tuple(t.controls[0].left, t.controls[0].top, t.controls[0].width),
              std::tuple(40, 10, 119));
    EXPECT_EQ(std::tuple(t.controls[1].left, t.controls[1].top), std::tuple(40, 25));
    EXPECT_EQ(t.controls[2].caption, ServiceWebAddress());
    EXPECT_EQ(std::tuple(t.controls[2].left, t.controls[2].top, t.controls[2].width),
              std::tuple(35, 41, 135));
    EXPECT_EQ(t.controls[3].id, 1);
    EXPECT_EQ(t.controls[3].caption, "OK");
    EXPECT_EQ(std::tuple(t.controls[3].left, t.controls[3].top, t.controls[3].width,
                         t.controls[3].height),
              std::tuple(178, 7, 50, 14));
}

} // namespace
