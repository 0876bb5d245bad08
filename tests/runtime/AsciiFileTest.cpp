#include <gtest/gtest.h>

#include "runtime/AsciiFile.h"
#include "runtime/FileErrors.h"
#include "runtime/LastError.h"
#include "tests/support/TempDir.h"

namespace {

TEST(AsciiFileTest, AppendsLinesAndReadsThemBack) {
    testsupport::TempDir dir;
    rt::String<1024> Txt;
    rt::AsciiFile log("AppError.Log", Txt);
    EXPECT_EQ(log.open(), rt::ErrFileNotFound);
    ASSERT_EQ(log.create(), 0);
    ASSERT_EQ(log.open(), 0);
    EXPECT_EQ(log.open(), rt::ErrAlreadyOpen);
    Txt = "07.12.2026@06:15:00 --> first";
    ASSERT_EQ(log.add(), 0);
    ASSERT_EQ(log.close(), 0);
    ASSERT_EQ(log.create(), 0) << "create keeps an existing log";
    ASSERT_EQ(log.open(), 0);
    Txt = "second";
    ASSERT_EQ(log.add(), 0);
    ASSERT_EQ(log.set(), 0);
    ASSERT_EQ(log.next(), 0);
    EXPECT_EQ(Txt.clipped(), "07.12.2026@06:15:00 --> first");
    ASSERT_EQ(log.next(), 0);
    EXPECT_EQ(Txt.clipped(), "second");
    EXPECT_EQ(log.next(), rt::ErrNoRecord);
    log.close();
    EXPECT_EQ(testsupport::readFile(dir.file("AppError.Log")),
              "07.12.2026@06:15:00 --> first\nsecond\n");
    EXPECT_EQ(log.add(), rt::ErrFileNotOpen);
    ASSERT_EQ(log.open(0x40), 0);
    EXPECT_EQ(log.add(), rt::ErrAccessDenied);
}

}  // namespace
