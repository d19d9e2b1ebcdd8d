#include "FtpTestSupport.h"
#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "components/ComponentRegistry.h"

#include <QDir>
#include <QTimer>
#include <gmock/gmock.h>
#include <sys/stat.h>

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Le;
using ::testing::Not;

namespace {

const std::string kIni = "[Settings]\r\nRefresh = 5\r\nNewUID = 10001\r\nNewUID = 10002\r\n"
                         "Comment = about a hundred bytes of text\r\n";

std::vector<std::string> LocalFiles() {
    std::vector<std::string> names;
    for (const QString& n : QDir::current().entryList(QDir::Files | QDir::Hidden))
        names.push_back(n.toStdString());
    return names;
}

TEST(FtpComponentHosting, IsCreatedByItsClassId) {
    ComponentRegistry registry;
    RegisterFtpComponent(registry);
    auto component = registry.Create(ClassIds::FtpClient);
    ASSERT_NE(dynamic_cast<FtpComponent*>(component.get()), nullptr);
    EXPECT_EQ(static_cast<FtpComponent*>(component.get())->port(), FtpComponent::kDefaultPort);
    CFtpClient ftp(component.get());
    EXPECT_FALSE(ftp.GetConnected());
    EXPECT_EQ(ftp.GetIPAddress(), "");
}

TEST(FtpComponentHosting, UnknownMemberAndActionRaise) {
    FtpComponent component(1);
    std::vector<Variant> none;
    try {
        component.Invoke(99, CallKind::Method, none);
        FAIL() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.code(), ComponentError::MemberNotFound);
    }
    CFtpClient ftp(&component);
    ftp.SetLocalFile("a");
    ftp.SetRemoteFile("a");
    EXPECT_THROW(ftp.SetTransferAction(7), ComponentError);
}

TEST(FtpComponentHosting, TransfersBeforeAnyConnectRaiseOrReportStatus) {
    ScopedTestDir dir;
    dir.Write("a", "x");
    FtpComponent component(1);
    CFtpClient ftp(&component);
    ftp.SetLocalFile("a");
    ftp.SetRemoteFile("a");
    EXPECT_THROW(ftp.SetTransferAction(CFtpClient::kSend), ComponentError);
    EXPECT_NE(ftp.GetFile("a", "a"), 0);
    EXPECT_NE(ftp.DeleteFile("a"), 0);
    EXPECT_EQ(dir.Read("a"), "x");
    EXPECT_NO_THROW(ftp.Disconnect());
}

struct BadName {
    const char* name;
    std::string remote;
};

void PrintTo(const BadName& c, std::ostream* os) {
    *os << c.name;
}

class RemoteNames : public ::testing::TestWithParam<BadName> {};

// Remote names go into raw commands; none of these may reach the server.
TEST_P(RemoteNames, AreRefusedBeforeAnythingIsSent) {
    FtpFixture f;
    f.Connect();
    f.server.WriteFile("victim", "keep");
    f.dir.Write("local", "bytes");
    f.ftp.SetLocalFile("local");
    f.ftp.SetRemoteFile(GetParam().remote);
    EXPECT_THROW(f.ftp.SetTransferAction(CFtpClient::kSend), ComponentError);
    EXPECT_THROW(f.ftp.SetTransferAction(CFtpClient::kFetch), ComponentError);
    EXPECT_NE(f.ftp.GetFile("out", GetParam().remote), 0);
    EXPECT_NE(f.ftp.DeleteFile(GetParam().remote), 0);
    EXPECT_EQ(f.server.ReadFile("victim"), "keep");
    EXPECT_EQ(f.server.Files(), std::vector<std::string>{"victim"});
    EXPECT_THAT(f.server.Commands(), Not(Contains("STOR local")));
    EXPECT_FALSE(f.dir.Exists("out"));
}

INSTANTIATE_TEST_SUITE_P(Ftp, RemoteNames,
                         ::testing::Values(BadName{"Empty", ""},
                                           BadName{"CarriageReturn", "a\rDELE victim"},
                                           BadName{"LineFeed", "a\nDELE victim"},
                                           BadName{"Slash", "../victim"},
                                           BadName{"Nul", std::string("a\0b", 3)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FtpComponent, OneConnectionServesAFetchAndTwoSendsIntact) {
    FtpFixture f;
    f.server.WriteFile("Corv2.ini", kIni);
    const std::string jpeg = MakeJpeg(70000);
    const std::string page(600, 'p');

    EXPECT_FALSE(f.ftp.GetConnected());
    f.Connect();
    EXPECT_TRUE(f.ftp.GetConnected());
    EXPECT_EQ(f.ftp.GetIPAddress(), "127.0.0.1");
    EXPECT_EQ(f.Fetch("Corv2.ini", "Corv2.ini"), kIni);
    f.dir.Write("corvalen.jpg", jpeg);
    f.ftp.SetLocalFile("corvalen.jpg");
    f.ftp.SetRemoteFile("10001.jpg");
    f.ftp.SetTransferAction(CFtpClient::kSend);
    f.Send("10001.log", page);
    EXPECT_TRUE(f.ftp.GetConnected());
    f.ftp.Disconnect();

    EXPECT_FALSE(f.ftp.GetConnected());
    EXPECT_EQ(f.ftp.GetIPAddress(), "");
    EXPECT_TRUE(SameBytes(f.server.ReadFile("10001.jpg"), jpeg));
    EXPECT_EQ(f.server.ReadFile("10001.log"), page);
    EXPECT_EQ(f.server.Files(), (std::vector<std::string>{"10001.jpg", "10001.log", "Corv2.ini"}));
    EXPECT_EQ(f.server.ConnectionsOpened(), 1);
    EXPECT_EQ(f.server.ConnectionsOpen(), 0);
    EXPECT_THAT(f.server.Commands(), Contains("QUIT"));
    EXPECT_THAT(LocalFiles(), (ElementsAre("10001.log", "Corv2.ini", "corvalen.jpg")));
}

TEST(FtpComponent, ActiveModeTransfersToo) {
    FtpFixture f;
    f.ftp.SetHostName(FtpServer::kHost);
    f.ftp.SetOptionFlag(false);
    f.ftp.SetOptionValue(5);
    f.ftp.Connect();
    f.Send("a.bin", std::string(5000, 'a'));
    EXPECT_EQ(f.server.ReadFile("a.bin"), std::string(5000, 'a'));
    EXPECT_THAT(f.server.Commands(), Not(Contains("EPSV")));
}

TEST(FtpComponent, GetFileAndDeleteFileReportStatuses) {
    FtpFixture f;
    f.server.WriteFile("10001", "NewUID = 10001\r\n");
    f.Connect();
    f.dir.Write("Corv2.ini", "previous");

    EXPECT_NE(f.ftp.GetFile("Corv2.ini", "missing"), 0);
    EXPECT_EQ(f.dir.Read("Corv2.ini"), "previous"); // a failed fetch loses nothing
    EXPECT_THAT(LocalFiles(), ElementsAre("Corv2.ini"));
    EXPECT_EQ(f.ftp.GetFile("Corv2.ini", "10001"), 0);
    EXPECT_EQ(f.dir.Read("Corv2.ini"), "NewUID = 10001\r\n");

    EXPECT_EQ(f.ftp.DeleteFile("10001"), 0);
    EXPECT_FALSE(f.server.HasFile("10001"));
    EXPECT_NE(f.ftp.DeleteFile("10001"), 0);
    EXPECT_TRUE(f.ftp.GetConnected()); // a refusal keeps the connection
    f.ftp.Disconnect();
    EXPECT_EQ(f.server.ConnectionsOpened(), 1);
}

TEST(FtpComponent, ProgressEndsAtHundredOnTheCallingThread) {
    FtpFixture f;
    f.Connect();
    f.Send("big.jpg", MakeJpeg(300000));
    EXPECT_EQ(f.events.percents.front(), 0);
    EXPECT_EQ(f.events.percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(f.events.percents.begin(), f.events.percents.end()));
    EXPECT_TRUE(f.events.allOnCallingThread);

    f.events.percents.clear();
    f.Fetch("big.jpg");
    EXPECT_EQ(f.events.percents.front(), 0);
    EXPECT_EQ(f.events.percents.back(), 100);
    EXPECT_THAT(f.events.percents, Each(Le(100)));

    f.events.percents.clear();
    EXPECT_EQ(f.ftp.GetFile("small", "big.jpg"), 0);
    EXPECT_EQ(f.events.percents.back(), 100);
}

struct LocalCopy {
    const char* name;
    std::string local, remote;
    bool kept; // the local file is the same file afterwards, not a new one
};

void PrintTo(const LocalCopy& c, std::ostream* os) {
    *os << c.name;
}

class FetchOver : public ::testing::TestWithParam<LocalCopy> {};

// The settings come every pass and seldom change: an equal file is left as it
// is rather than written anew, and a different one is replaced whole.
TEST_P(FetchOver, AnExistingLocalFile) {
    FtpFixture f;
    f.server.WriteFile("Corv2.ini", GetParam().remote);
    f.dir.Write("Corv2.ini", GetParam().local);
    struct stat before {};
    ASSERT_EQ(::stat("Corv2.ini", &before), 0);
    f.Connect();
    EXPECT_EQ(f.Fetch("Corv2.ini", "Corv2.ini"), GetParam().remote);
    struct stat after {};
    ASSERT_EQ(::stat("Corv2.ini", &after), 0);
    EXPECT_EQ(after.st_ino == before.st_ino, GetParam().kept);
    EXPECT_THAT(LocalFiles(), ElementsAre("Corv2.ini"));
    EXPECT_EQ(f.events.percents.back(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Ftp, FetchOver,
    ::testing::Values(LocalCopy{"Equal", kIni, kIni, true},
                      LocalCopy{"SameSizeOtherBytes", std::string(kIni.size(), 'x'), kIni, false},
                      LocalCopy{"Longer", kIni + "Extra = 1\r\n", kIni, false},
                      LocalCopy{"Shorter", kIni.substr(0, 10), kIni, false},
                      LocalCopy{"EmptyOverBytes", kIni, "", false},
                      LocalCopy{"LargeEqual", MakeJpeg(300000), MakeJpeg(300000), true},
                      LocalCopy{"LargeDifferingAtTheEnd", MakeJpeg(300000) + "a",
                                MakeJpeg(300000) + "b", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A viewer polling the page during a send sees the old image or the new one,
// never part of one; checked from inside the transfer.
class WholeSends : public ::testing::TestWithParam<FtpServer::Fault> {};

TEST_P(WholeSends, NeverShowAHalfWrittenFile) {
    FtpFixture f;
    const std::string oldJpeg = MakeJpeg(70000, 1), newJpeg = MakeJpeg(300000, 2);
    f.server.WriteFile("1.jpg", oldJpeg);
    f.server.SetFaults({GetParam()});
    f.Connect();
    int looks = 0;
    bool allWhole = true;
    f.events.onEvent = [&] {
        ++looks;
        const std::string seen = f.server.ReadFile("1.jpg");
        allWhole = allWhole && (seen == oldJpeg || seen == newJpeg);
    };
    f.dir.Write("c.jpg", newJpeg);
    f.ftp.SetLocalFile("c.jpg");
    f.ftp.SetRemoteFile("1.jpg");
    f.ftp.SetTransferAction(CFtpClient::kSend);
    EXPECT_GT(looks, 2);
    EXPECT_TRUE(allWhole);
    EXPECT_TRUE(SameBytes(f.server.ReadFile("1.jpg"), newJpeg));
    EXPECT_EQ(f.server.Files(), std::vector<std::string>{"1.jpg"});
}

INSTANTIATE_TEST_SUITE_P(Ftp, WholeSends,
                         ::testing::Values(FtpServer::Fault::RefuseDele,
                                           FtpServer::Fault::RefuseRenameOver),
                         [](const auto& info) {
                             return info.param == FtpServer::Fault::RefuseDele
                                        ? "PlainServer"
                                        : "ServerRefusingRenameOntoExistingFile";
                         });

TEST(FtpComponent, ServerWithoutRenameGetsDirectSendsForTheConnection) {
    FtpFixture f({FtpServer::Fault::RefuseRename});
    f.server.WriteFile("1.jpg", "old");
    f.Connect();
    f.Send("1.jpg", "first");
    f.Send("1.log", "second");
    EXPECT_EQ(f.server.ReadFile("1.jpg"), "first");
    EXPECT_EQ(f.server.ReadFile("1.log"), "second");
    EXPECT_EQ(f.server.Files(), (std::vector<std::string>{"1.jpg", "1.log"}));
    EXPECT_THAT(f.server.Commands(), Contains("STOR 1.log"));
    EXPECT_THAT(f.server.Commands(), Not(Contains("STOR 1.log.part")));
}

TEST(FtpComponent, ConnectedNoticesTheServerGoing) {
    FtpFixture f;
    f.Connect();
    EXPECT_TRUE(f.ftp.GetConnected());
    f.server.Stop();
    EXPECT_FALSE(f.ftp.GetConnected());
    EXPECT_EQ(f.ftp.GetIPAddress(), "");
    EXPECT_NO_THROW(f.ftp.Disconnect());
}

TEST(FtpComponent, WindowStaysLiveAndReentryRaises) {
    FtpFixture f({FtpServer::Fault::StallData}, 1);
    f.server.WriteFile("a", "a");
    f.Connect();
    bool timerRan = false;
    QTimer::singleShot(50, [&] { timerRan = true; });
    bool reentryRaised = false;
    f.events.onEvent = [&] {
        try {
            f.ftp.GetConnected();
        } catch (const ComponentError&) {
            reentryRaised = true;
        }
    };
    f.ftp.SetLocalFile("a");
    f.ftp.SetRemoteFile("a");
    EXPECT_THROW(f.ftp.SetTransferAction(CFtpClient::kFetch), ComponentError);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(reentryRaised);
    EXPECT_NO_THROW(f.ftp.GetConnected()); // free again afterwards
}

} // namespace
