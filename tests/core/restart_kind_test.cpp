#include "launcher/restart_kind.h"

#include <gtest/gtest.h>

TEST(LauncherRestart, OnlyTheTwoRestartCodesRestart) {
    EXPECT_EQ(kv::RestartKind::Windows95Family, kv::restartKindFor(6));
    EXPECT_EQ(kv::RestartKind::NtFamily, kv::restartKindFor(65542));
    for (int code : {0, 2, 12, 1, 0x10000, 0x1000C, -1})
        EXPECT_EQ(kv::RestartKind::None, kv::restartKindFor(code)) << code;
}
