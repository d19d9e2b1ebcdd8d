#include "RecordingComponent.h"
#include "components/CFtpClient.h"
#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "components/ComponentRegistry.h"
#include "components/DispatchTable.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// A small component built on DispatchTable, as the real components are.
class Adder : public Component {
public:
    Adder() {
        m_table.Method(1, [](int32_t a, int16_t b) { return static_cast<int32_t>(a + b); });
        m_table.Put(2, [this](std::string s) { m_text = s; });
        m_table.Get(2, [this] { return m_text; });
        m_table.Method(3, []() -> bool { throw ComponentError(ComponentError::Failed, "boom"); });
        m_table.Method(4, [this] { ++m_calls; });
    }
    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override {
        return m_table.Invoke(id, kind, args);
    }
    int calls() const { return m_calls; }

private:
    DispatchTable m_table;
    std::string m_text;
    int m_calls = 0;
};

Variant Call(Component& c, DispId id, CallKind kind, std::vector<Variant> args = {}) {
    return c.Invoke(id, kind, args);
}

TEST(DispatchTable, ReachesTheOperationWithTypedArguments) {
    Adder a;
    EXPECT_EQ(Call(a, 1, CallKind::Method, {Variant::Int32(40), Variant::Int16(2)}),
              Variant::Int32(42));
    Call(a, 2, CallKind::PropertyPut, {Variant::Text("hello")});
    EXPECT_EQ(Call(a, 2, CallKind::PropertyGet), Variant::Text("hello"));
    EXPECT_TRUE(Call(a, 4, CallKind::Method).isEmpty());
    EXPECT_EQ(a.calls(), 1);
}

struct BadCall {
    const char* name;
    DispId id;
    CallKind kind;
    std::vector<Variant> args;
    uint32_t code;
};

class DispatchFailures : public ::testing::TestWithParam<BadCall> {};

TEST_P(DispatchFailures, Raise) {
    Adder a;
    const auto& c = GetParam();
    try {
        a.Invoke(c.id, c.kind, c.args);
        FAIL() << "no error raised";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.code(), c.code) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hosting, DispatchFailures,
    ::testing::Values(
        BadCall{"UnknownDispId", 99, CallKind::Method, {}, ComponentError::MemberNotFound},
        BadCall{"WrongKind", 1, CallKind::PropertyGet, {}, ComponentError::MemberNotFound},
        BadCall{"MissingArgument",
                1,
                CallKind::Method,
                {Variant::Int32(1)},
                ComponentError::BadParamCount},
        BadCall{"WrongType",
                1,
                CallKind::Method,
                {Variant::Int16(1), Variant::Int16(2)},
                ComponentError::TypeMismatch},
        BadCall{"FailingOperation", 3, CallKind::Method, {}, ComponentError::Failed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComponentRegistry, CreatesByClsidIgnoringCaseAndFailsWithoutFactory) {
    ComponentRegistry registry;
    registry.Register(ClassIds::FtpClient, [] { return std::make_unique<Adder>(); });
    EXPECT_NE(registry.Create(Guid("{14099a43-7be3-11cf-a8a0-444553540000}")), nullptr);
    try {
        registry.Create(ClassIds::VideoCapture);
        FAIL() << "created a class without a factory";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.code(), ComponentError::ClassNotRegistered);
    }
}

class RecordingSink : public IEventSink {
public:
    void OnComponentEvent(int controlId, DispId event, std::span<Variant> args) override {
        seen.push_back(std::to_string(controlId) + ":" + std::to_string(event));
        if (handle)
            handle(args);
    }
    std::vector<std::string> seen;
    std::function<void(std::span<Variant>)> handle;
};

class EventSource : public Component {
public:
    Variant Invoke(DispId, CallKind, std::span<const Variant>) override { return {}; }
    using Component::FireEvent;
};

TEST(ComponentEvents, ReachTheHostWithTheControlIdAndByReferenceArguments) {
    EventSource source;
    RecordingSink sink;
    source.Advise(&sink, 1000);
    std::vector<Variant> args{Variant::Int32(1), Variant::Int32(2), Variant::Int16(50)};

    // Nobody changes them: they come back as they went.
    EXPECT_TRUE(source.FireEvent(8, args));
    EXPECT_THAT(args, ElementsAre(Variant::Int32(1), Variant::Int32(2), Variant::Int16(50)));

    sink.handle = [](std::span<Variant> a) { a[2].setInt16(7); };
    EXPECT_TRUE(source.FireEvent(8, args));
    EXPECT_EQ(args[2], Variant::Int16(7));
    EXPECT_THAT(sink.seen, ElementsAre("1000:8", "1000:8"));
}

TEST(ComponentEvents, AHandlerErrorGoesBackToTheComponentSilently) {
    EventSource source;
    RecordingSink sink;
    sink.handle = [](std::span<Variant>) { throw std::runtime_error("handler failed"); };
    source.Advise(&sink, 1031);
    std::vector<Variant> none;
    EXPECT_FALSE(source.FireEvent(1, none));

    EventSource unadvised;
    EXPECT_TRUE(unadvised.FireEvent(1, none));
}

TEST(Wrappers, EachOperationIsOneTypedCall) {
    CallLog log;
    RecordingComponent ftp("ftp", &log);
    ftp.SetResult(CFtpClient::kGetFile, CallKind::Method, Variant::Int16(0));
    ftp.SetResult(CFtpClient::kConnected, CallKind::PropertyGet, Variant::Bool(true));
    CFtpClient client(&ftp);
    client.SetHostName("127.0.0.1");
    client.SetTransferAction(CFtpClient::kSend);
    EXPECT_TRUE(client.GetConnected());
    EXPECT_EQ(client.GetFile("Corv2.ini", "newUID4.ini"), 0);
    EXPECT_THAT(log.entries(), ElementsAre("ftp.put 7 \"127.0.0.1\"", "ftp.put 2 6s", "ftp.get 26",
                                           "ftp.call 54 \"Corv2.ini\" \"newUID4.ini\""));
}

TEST(Wrappers, WithoutAComponentRaise) {
    CFtpClient client;
    EXPECT_THROW(client.Connect(), ComponentError);
}

} // namespace
