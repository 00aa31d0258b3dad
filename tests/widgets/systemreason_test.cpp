// The reasons of system errors as the desktop program words them.

#include "widgets/systemreason.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace orbelle;

TEST(SystemReason, CommonReasonsAreJapaneseAndTheRestTheSystemsText) {
    const struct {
        int errorNumber;
        const char* reason;
    } cases[] = {
        {ENOENT, "ファイルまたはフォルダがありません"},
        {EACCES, "アクセス権がありません"},
        {EPERM, "アクセス権がありません"},
        {ENOSPC, "ディスクの空きがありません"},
        {EDQUOT, "ディスクの使用量が上限に達しています"},
        {EROFS, "読み取り専用のファイル システムです"},
        {EISDIR, "フォルダです"},
        {EFBIG, "ファイルが大きすぎます"},
        // Rarer reasons keep the system's words (the C locale's here).
        {ENOTDIR, "Not a directory"},
        {EIO, "Input/output error"},
        {ELOOP, "Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemReason(c.errorNumber).toStdString(), c.reason) << c.errorNumber;
    }
}
