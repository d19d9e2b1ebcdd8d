// The main job end to end: the real window under the offscreen platform, the
// real components (the test picture, libcurl) and a real FTP server on
// loopback. Start is clicked as a user clicks it.

#include "FtpServer.h"
#include "MainWindowFixture.h"
#include "app/ControllerDlg.h"
#include "app/DefaultComponents.h"
#include "app/DialogTemplates.h"
#include "app/ProgramCommands.h"
#include "components/ClassIds.h"
#include "components/ftp/FtpComponent.h"
#include "platform/TextFile.h"
#include "settings/MainSettings.h"
#include "settings/SettingsLayouts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <gmock/gmock.h>

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    // A registered account, in the layout the program writes itself.
    void WriteSettings(const std::string& account) {
        SettingsRecord record;
        record.accountId = account;
        record.regCode = "REG-42";
        record.refreshRate = "2";
        record.category = 3;
        record.heading = "Garden";
        record.pageText = "The view from the window";
        record.login = "gardener";
        dir.Write("tamblix.ini", MainLayout(record, 0));
    }

    // Runs the window as the program does, with the transfer component
    // pointed at `port` and Start at 127.0.0.1.
    void OpenWindow(int port) {
        registry = MakeDefaultRegistry();
        registry.Register(ClassIds::FtpClient,
                          [port] { return std::make_unique<FtpComponent>(port); });
        dlg = std::make_unique<CControllerDlg>(
            CControllerDlg::Services{registry, values, settings, boxes});
        commands = std::make_unique<ProgramCommands>(
            *dlg, ProgramCommands::Options{.serviceHost = "127.0.0.1"});
        QObject::connect(dlg.get(), &CControllerDlg::StatusShown,
                         [this](const QString& text) { statuses.push_back(text.toStdString()); });
        ASSERT_TRUE(dlg->Create());
        dlg->show();
        ASSERT_TRUE(WaitForPicture());
    }

    // The first frames of the test picture take a moment to arrive.
    bool WaitForPicture() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            try {
                dlg->Video().SaveJpeg("probe.jpg", 100);
                return true;
            } catch (const std::exception&) {
            }
        }
        return false;
    }

    void ClickStart() {
        QWidget* start = dlg->ControlWidget(ControlIds::kStart);
        ASSERT_NE(start, nullptr);
        statuses.clear();
        QTest::mouseClick(start, Qt::LeftButton);
    }

    std::string Tooltip() const {
        return dlg->ControlWidget(ControlIds::kStatusLine)->toolTip().toStdString();
    }

    ScopedTestDir dir;
    ProcessValues values;
    MainSettings settings{values};
    ScriptedBoxes boxes;
    ComponentRegistry registry;
    std::unique_ptr<CControllerDlg> dlg;
    std::unique_ptr<ProgramCommands> commands;
    std::vector<std::string> statuses;
};

TEST_F(EndToEnd, StartPublishesTheImageAndThePageFile) {
    FtpServer server;
    server.WriteFile("Corv2.ini", "Service parameters\r\nRefresh Rate = 7\r\n");
    WriteSettings("garden42");
    OpenWindow(server.port());

    ClickStart();

    EXPECT_EQ(statuses, (std::vector<std::string>{"Capturing...", "Capturing...", "Done...",
                                                  "Sending To Web...", "Sending To Web...",
                                                  "Completed...", "1"}));
    EXPECT_THAT(boxes.shown, ::testing::IsEmpty());

    // The image decodes at the picture's size.
    const std::string jpeg = server.ReadFile("garden42.jpg");
    QImage image;
    ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()),
                                   static_cast<int>(jpeg.size()), "JPEG"));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(jpeg, dir.Read("Corvalen.jpg"));

    // The page file is the main layout of the settings, byte for byte, with
    // the address of this end of the connection.
    const std::string page = server.ReadFile("garden42.log");
    EXPECT_EQ(page, dir.Read("tamblix.ini"));
    SettingsRecord expected = settings.Record();
    EXPECT_EQ(expected.ipText, "127.0.0.1");
    EXPECT_EQ(page, MainLayout(expected, 0));
    EXPECT_EQ(TextFile::SplitLines(page).size(), 27u);
    EXPECT_THAT(page, HasSubstr("Account ID = garden42\r\n"));

    // The server's value (7 minutes) beats the settings' 2; the countdown runs.
    EXPECT_EQ(values.g_nInterval, 420);
    EXPECT_TRUE(dlg->Timer1().IsRunning());
    EXPECT_THAT(Tooltip(), HasSubstr("all transfers succeeded"));
    EXPECT_EQ(dir.Read("Corv2.ini"), server.ReadFile("Corv2.ini"));
    EXPECT_THAT(server.Files(),
                ::testing::ElementsAre("Corv2.ini", "garden42.jpg", "garden42.log"));
    EXPECT_EQ(server.ConnectionsOpen(), 0);
}

TEST_F(EndToEnd, WithTheServerDownThePassReportsAndTheCountdownGoesOn) {
    FtpServer down({FtpServer::Fault::RefuseConnections});
    WriteSettings("garden42");
    OpenWindow(down.port());

    ClickStart();

    EXPECT_THAT(statuses, Contains("Unable to connect..."));
    EXPECT_THAT(statuses, Contains("Unable to send jpeg..."));
    EXPECT_THAT(statuses, Contains("Unable to send log..."));
    EXPECT_EQ(statuses.back(), "1");
    EXPECT_THAT(boxes.shown, ::testing::IsEmpty());
    EXPECT_TRUE(dlg->Timer1().IsRunning());
    EXPECT_THAT(Tooltip(), HasSubstr("could not connect"));

    // The countdown ticks on: the next tick shows the seconds left.
    statuses.clear();
    QElapsedTimer clock;
    clock.start();
    while (statuses.empty() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 100);
    ASSERT_FALSE(statuses.empty());
    EXPECT_THAT(statuses.back(), StartsWith("Seconds until next capture..."));
}

} // namespace
