#include "components/ftp/WholeSend.h"

#include <gmock/gmock.h>
#include <map>
#include <set>

using ::testing::ElementsAre;

namespace {

// A server in memory that answers rename and delete commands like a real one,
// with switches for the refusals that real servers make.
class FakeFtp : public IFtpCommands {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> log;
    bool refuseRename = false;
    bool refuseRenameOver = false;
    bool refuseStore = false;
    bool storeTimesOut = false;

    void Store(const std::string& remote, const std::string& local, const FtpProgress&) override {
        log.push_back("STOR " + remote);
        if (storeTimesOut) {
            files[remote] = "partial";
            throw FtpError("timeout", 28, 0, true);
        }
        if (refuseStore) {
            files[remote] = "partial";
            throw FtpError("refused", 25, 550, false);
        }
        files[remote] = local;
    }

    long Command(const std::vector<std::string>& commands) override {
        long reply = 0;
        std::string from;
        for (const std::string& c : commands) {
            log.push_back(c);
            const std::string verb = c.substr(0, 4), arg = c.substr(5);
            if (verb == "RNFR") {
                if (refuseRename) {
                    reply = 502;
                } else if (files.contains(arg)) {
                    from = arg;
                    reply = 350;
                } else {
                    reply = 550;
                }
            } else if (verb == "RNTO") {
                if (from.empty())
                    reply = 503;
                else if (refuseRenameOver && files.contains(arg))
                    reply = 550;
                else {
                    files[arg] = files[from];
                    files.erase(from);
                    reply = 250;
                }
                from.clear();
            } else if (verb == "DELE") {
                reply = files.erase(arg) ? 250 : 550;
            }
        }
        return reply;
    }
};

class WholeSendTest : public ::testing::Test {
protected:
    FakeFtp ftp;
    WholeSend send{ftp};
    void Send(const std::string& local = "new") { send.Send(local, "a.jpg", nullptr); }
};

TEST_F(WholeSendTest, UploadsUnderTemporaryNameThenRenames) {
    ftp.files["a.jpg"] = "old";
    Send();
    EXPECT_THAT(ftp.log, ElementsAre("STOR a.jpg.part", "RNFR a.jpg.part", "RNTO a.jpg"));
    EXPECT_EQ(ftp.files, (std::map<std::string, std::string>{{"a.jpg", "new"}}));
}

TEST_F(WholeSendTest, MovesOldFileAsideWhenRenameOntoItIsRefused) {
    ftp.files["a.jpg"] = "old";
    ftp.refuseRenameOver = true;
    Send();
    EXPECT_THAT(ftp.log,
                ElementsAre("STOR a.jpg.part", "RNFR a.jpg.part", "RNTO a.jpg", "RNFR a.jpg",
                            "RNTO a.jpg.old", "RNFR a.jpg.part", "RNTO a.jpg", "DELE a.jpg.old"));
    EXPECT_EQ(ftp.files, (std::map<std::string, std::string>{{"a.jpg", "new"}}));
    EXPECT_FALSE(send.direct());
}

TEST_F(WholeSendTest, FallsBackToDirectSendsForTheConnectionWhenRenameIsRefused) {
    ftp.files["a.jpg"] = "old";
    ftp.refuseRename = true;
    Send("first");
    EXPECT_EQ(ftp.files, (std::map<std::string, std::string>{{"a.jpg", "first"}}));
    EXPECT_TRUE(send.direct());
    ftp.log.clear();
    Send("second");
    EXPECT_THAT(ftp.log, ElementsAre("STOR a.jpg"));
    EXPECT_EQ(ftp.files["a.jpg"], "second");

    send.Reset(); // a new connection tries renaming again
    ftp.refuseRename = false;
    ftp.log.clear();
    Send("third");
    EXPECT_THAT(ftp.log, ElementsAre("STOR a.jpg.part", "RNFR a.jpg.part", "RNTO a.jpg"));
}

TEST_F(WholeSendTest, FirstSendToServerWithoutRenameLandsDirectly) {
    ftp.refuseRename = true;
    Send();
    EXPECT_EQ(ftp.files, (std::map<std::string, std::string>{{"a.jpg", "new"}}));
}

TEST_F(WholeSendTest, FailedUploadKeepsOldFileAndRemovesTemporaryOne) {
    ftp.files["a.jpg"] = "old";
    ftp.refuseStore = true;
    EXPECT_THROW(Send(), FtpError);
    EXPECT_EQ(ftp.files, (std::map<std::string, std::string>{{"a.jpg", "old"}}));
}

TEST_F(WholeSendTest, StalledUploadIsCleanedUpToo) {
    ftp.storeTimesOut = true;
    EXPECT_THROW(Send(), FtpError);
    EXPECT_THAT(ftp.log, ElementsAre("STOR a.jpg.part", "DELE a.jpg.part"));
}

} // namespace
