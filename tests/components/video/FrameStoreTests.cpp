#include "components/video/FrameStore.h"

#include <gmock/gmock.h>

namespace {

VideoFrame Frame(int width) {
    return VideoFrame::FromPixels(width, 1, std::vector<uint8_t>(width * 4u, 0));
}

TEST(FrameStore, KeepsOnlyTheNewestFrameAndNotifiesOnceUntilAcknowledged) {
    FrameStore store;
    const uint64_t epoch = store.Reset();
    EXPECT_TRUE(store.Put(epoch, Frame(1)));
    EXPECT_FALSE(store.Put(epoch, Frame(2))) << "a notice is already waiting";
    EXPECT_FALSE(store.Put(epoch, Frame(3)));
    EXPECT_EQ(store.Latest()->width, 3);
    store.AcknowledgeNotice();
    EXPECT_TRUE(store.Put(epoch, Frame(4)));
}

TEST(FrameStore, RefusesFramesOfAnEarlierConnection) {
    FrameStore store;
    const uint64_t old = store.Reset();
    ASSERT_TRUE(store.Put(old, Frame(1)));
    const uint64_t current = store.Reset();
    EXPECT_EQ(store.Latest(), nullptr) << "a reconnection starts without a picture";
    store.AcknowledgeNotice();
    EXPECT_FALSE(store.Put(old, Frame(2)));
    EXPECT_FALSE(store.MarkLost(old, "late error of the old device"));
    EXPECT_EQ(store.Latest(), nullptr);
    EXPECT_FALSE(store.IsLost());
    EXPECT_TRUE(store.Put(current, Frame(5)));
    EXPECT_EQ(store.Latest()->width, 5);
}

TEST(FrameStore, ALostSignalTakesNoMoreFramesUntilReset) {
    FrameStore store;
    const uint64_t epoch = store.Reset();
    store.Put(epoch, Frame(1));
    store.AcknowledgeNotice();
    EXPECT_TRUE(store.MarkLost(epoch, "unplugged"));
    EXPECT_TRUE(store.IsLost());
    EXPECT_EQ(store.LostReason(), "unplugged");
    EXPECT_FALSE(store.Put(epoch, Frame(2)));
    store.Reset();
    EXPECT_FALSE(store.IsLost());
}

TEST(FrameStore, AFrameIsFreshOnlyWhenNewerThanTheOneUsed) {
    FrameStore store;
    const uint64_t epoch = store.Reset();
    EXPECT_EQ(store.Fresh(), nullptr);
    store.Put(epoch, Frame(1));
    ASSERT_NE(store.Fresh(), nullptr);
    store.MarkSaved(store.Latest()->sequence);
    EXPECT_EQ(store.Fresh(), nullptr) << "the same picture must not count as new";
    EXPECT_NE(store.Latest(), nullptr);
    store.Put(epoch, Frame(2));
    ASSERT_NE(store.Fresh(), nullptr);
    EXPECT_EQ(store.Fresh()->width, 2);
    store.MarkSaved(0);
    EXPECT_NE(store.Fresh(), nullptr);
}

} // namespace
