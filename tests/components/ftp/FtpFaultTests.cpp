#include "FtpTestSupport.h"
#include "components/ComponentError.h"

#include <QDir>
#include <chrono>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using Fault = FtpServer::Fault;
enum class Operation { Connect, Send, Fetch, GetFile, DeleteFile };

struct FaultCase {
    const char* name;
    Fault fault;
    Operation operation;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

// Each fault of a real server either raises or returns a non-zero status,
// within the timeout, loses nothing on either side, leaves no connection
// open and no temporary file behind, and the next pass works again.
class ServerFaults : public ::testing::TestWithParam<FaultCase> {};

constexpr int16_t kTimeout = 2;

TEST_P(ServerFaults, FailCleanlyWithinTheTimeout) {
    const FaultCase& c = GetParam();
    const bool atConnect = c.operation == Operation::Connect;
    FtpFixture f(c.fault == Fault::RefuseConnections ? std::initializer_list<Fault>{c.fault}
                                                     : std::initializer_list<Fault>{},
                 kTimeout);
    const std::string oldJpeg = MakeJpeg(20000, 1), newJpeg = MakeJpeg(300000, 2);
    f.server.WriteFile("1.jpg", oldJpeg);
    f.dir.Write("local.jpg", oldJpeg);
    f.dir.Write("new.jpg", newJpeg);
    if (atConnect)
        f.server.SetFaults({c.fault});
    else {
        f.Connect();
        f.server.SetFaults({c.fault});
    }

    const auto start = std::chrono::steady_clock::now();
    switch (c.operation) {
    case Operation::Connect:
        try {
            f.Connect();
            FAIL() << "connect succeeded";
        } catch (const ComponentError& e) {
            if (c.fault == Fault::StallBanner) {
                EXPECT_EQ(e.code(), ComponentError::Timeout) << e.what();
            }
        }
        EXPECT_FALSE(f.ftp.GetConnected());
        EXPECT_EQ(f.ftp.GetIPAddress(), "");
        break;
    case Operation::Send:
        f.ftp.SetLocalFile("new.jpg");
        f.ftp.SetRemoteFile("1.jpg");
        EXPECT_THROW(f.ftp.SetTransferAction(CFtpClient::kSend), ComponentError);
        break;
    case Operation::Fetch:
        f.ftp.SetLocalFile("local.jpg");
        f.ftp.SetRemoteFile("1.jpg");
        EXPECT_THROW(f.ftp.SetTransferAction(CFtpClient::kFetch), ComponentError);
        break;
    case Operation::GetFile:
        EXPECT_NE(f.ftp.GetFile("local.jpg", "1.jpg"), 0);
        break;
    case Operation::DeleteFile:
        EXPECT_NE(f.ftp.DeleteFile("1.jpg"), 0);
        break;
    }
    const auto took = std::chrono::steady_clock::now() - start;
    // A generous bound: this guards against hangs, not for speed.
    EXPECT_LT(took, std::chrono::seconds(2 * kTimeout + 3));

    if (c.fault != Fault::RefuseConnections) {
        EXPECT_TRUE(SameBytes(f.server.ReadFile("1.jpg"), oldJpeg));
        EXPECT_EQ(f.server.Files(), std::vector<std::string>{"1.jpg"});
    }
    EXPECT_TRUE(SameBytes(f.dir.Read("local.jpg"), oldJpeg));
    EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden),
              (QStringList{"local.jpg", "new.jpg"}));
    f.ftp.Disconnect();
    EXPECT_FALSE(f.ftp.GetConnected());
    if (c.fault == Fault::RefuseConnections)
        return;
    EXPECT_EQ(f.server.ConnectionsOpen(), 0);

    // The next pass works on a fresh connection.
    f.server.SetFaults({});
    f.Connect();
    f.ftp.SetLocalFile("new.jpg");
    f.ftp.SetRemoteFile("1.jpg");
    f.ftp.SetTransferAction(CFtpClient::kSend);
    f.ftp.Disconnect();
    EXPECT_TRUE(SameBytes(f.server.ReadFile("1.jpg"), newJpeg));
    EXPECT_EQ(f.server.ConnectionsOpen(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ftp, ServerFaults,
    ::testing::Values(FaultCase{"NothingListening", Fault::RefuseConnections, Operation::Connect},
                      FaultCase{"SilentBanner", Fault::StallBanner, Operation::Connect},
                      FaultCase{"StoreRefused", Fault::RefuseStor, Operation::Send},
                      FaultCase{"DropDuringSend", Fault::DropMidTransfer, Operation::Send},
                      FaultCase{"DropDuringFetch", Fault::DropMidTransfer, Operation::Fetch},
                      FaultCase{"DropDuringGetFile", Fault::DropMidTransfer, Operation::GetFile},
                      FaultCase{"StalledSend", Fault::StallData, Operation::Send},
                      FaultCase{"StalledFetch", Fault::StallData, Operation::Fetch},
                      FaultCase{"StalledGetFile", Fault::StallData, Operation::GetFile},
                      FaultCase{"DeleteRefused", Fault::RefuseDele, Operation::DeleteFile}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
