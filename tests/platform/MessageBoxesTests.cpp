#include "platform/MessageBoxes.h"

#include <gtest/gtest.h>

TEST(MessageBoxes, ExclamationWhenTheCallerNamesNoIcon) {
    EXPECT_EQ(EffectiveIcon(MB_OK), MB_ICONEXCLAMATION);
    EXPECT_EQ(EffectiveIcon(MB_OKCANCEL), MB_ICONEXCLAMATION);
    EXPECT_EQ(EffectiveIcon(MB_YESNO), MB_ICONEXCLAMATION);
    EXPECT_EQ(EffectiveIcon(MB_YESNOCANCEL), MB_ICONEXCLAMATION);
    EXPECT_EQ(EffectiveIcon(MB_RETRYCANCEL), 0u);
    EXPECT_EQ(EffectiveIcon(MB_ABORTRETRYIGNORE), 0u);
    EXPECT_EQ(EffectiveIcon(MB_OK | MB_ICONSTOP), MB_ICONSTOP);
}
