// How the window's commands reach the schedule and the cycle, and how their
// errors reach the user: with the window's own components faked.

#include "MainWindowFixture.h"
#include "app/DialogTemplates.h"
#include "app/ProgramCommands.h"
#include "components/CFtpClient.h"
#include "components/CXVideoCtlx.h"

#include <QTest>
#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        world.settings.fileContents.accountId = "garden42";
        world.settings.fileContents.refreshRate = "5";
        dlg = world.MakeWindow();
        commands = std::make_unique<ProgramCommands>(*dlg);
        ASSERT_TRUE(dlg->Create());
        world.ftp->SetResult(CFtpClient::kConnected, CallKind::PropertyGet, Variant::Bool(true));
        world.ftp->SetResult(CFtpClient::kIPAddress, CallKind::PropertyGet,
                             Variant::Text("10.0.0.2"));
        world.ftp->SetResult(CFtpClient::kDisconnect, CallKind::Method, Variant::Int16(0));
        world.video->SetResult(CXVideoCtlx::kSaveJpeg, CallKind::Method, Variant::Bool(true));
    }
    void ClickStart() { QTest::mouseClick(dlg->ControlWidget(ControlIds::kStart), Qt::LeftButton); }
    std::string Tooltip() const {
        return dlg->ControlWidget(ControlIds::kStatusLine)->toolTip().toStdString();
    }

    ScopedTestDir dir;
    MainWindowWorld world;
    std::unique_ptr<CControllerDlg> dlg;
    std::unique_ptr<ProgramCommands> commands;
};

TEST_F(Commands, StartRunsAPassAndTheTooltipTellsHowItWent) {
    ClickStart();
    EXPECT_EQ(world.values.g_nImageCount, 1);
    EXPECT_TRUE(dlg->Timer1().IsRunning());
    EXPECT_THAT(Tooltip(), HasSubstr("all transfers succeeded"));
    EXPECT_THAT(world.boxes.shown, IsEmpty());
}

TEST_F(Commands, AnErrorThatEndsStartsPassIsShownAndTheCountdownGoesOn) {
    world.video->FailOn(CXVideoCtlx::kSaveJpeg, CallKind::Method);
    ClickStart();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.boxes.shown[0].type, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(dlg->Timer1().IsRunning());
    EXPECT_THAT(Tooltip(), HasSubstr("stopped by an error"));
}

TEST_F(Commands, AnErrorBeforeThePassGoesBackToTheButtonSilently) {
    world.ftp->FailOn(CFtpClient::kHostName, CallKind::PropertyPut);
    ClickStart();
    EXPECT_THAT(world.boxes.shown, IsEmpty());
    EXPECT_EQ(world.values.g_nImageCount, 0);
    EXPECT_TRUE(dlg->Timer1().IsRunning()); // Start's first step, as ever
}

TEST_F(Commands, AnErrorInAScheduledPassIsShownOnce) {
    ClickStart();
    world.video->FailOn(CXVideoCtlx::kSaveJpeg, CallKind::Method);
    world.values.g_nElapsed = world.values.g_nInterval; // the next tick is due
    dlg->HandleTimerMessage();
    ASSERT_EQ(world.boxes.shown.size(), 1u);
    EXPECT_EQ(world.values.g_nElapsed, 0);
    EXPECT_TRUE(dlg->Timer1().IsRunning());
}

} // namespace
