#include <gtest/gtest.h>

#include <string>

#include "window/SectorName.h"

namespace {

TEST(SectorNameTest, ItemsKeepTheirDollarsThroughBuildAndSplit) {
    const struct {
        const char* family;
        const char* item;
        const char* type;
        const char* sector;
    } rows[] = {
        {"Q", "a$b", "T", "Q$a$$$b$$T"}, {"Q", "a", "T", "Q$a$$T"},
        {"Q", "a$", "T", "Q$a$$$$$T"},   {"Q", "$", "T", "Q$$$$$$T"},
        {"Q", "$$", "T", "Q$$$$$$$$$T"}, {"Main", "Sort Header", "T$$x", "Main$Sort Header$$T$$x"},
    };
    for (const auto& row : rows) {
        auto sector = SectorName::Build(row.family, row.item, row.type);
        ASSERT_TRUE(sector) << row.sector;
        EXPECT_EQ(*sector, row.sector);
        auto parts = SectorName::Split(*sector);
        ASSERT_TRUE(parts) << row.sector;
        EXPECT_EQ(parts->Family, row.family);
        EXPECT_EQ(parts->Item, SectorName::AddEscapes(row.item));
        EXPECT_EQ(parts->Type, row.type);
        EXPECT_EQ(SectorName::RemoveEscapes(parts->Item), row.item);
    }
}

TEST(SectorNameTest, NamesWithoutAllThreePartsAreMalformed) {
    for (const char* sector : {"", "Q", "Q$", "$a$$T", "Q$$$T", "Q$a$$", "Q$a$$$T", "Q$a"}) {
        EXPECT_FALSE(SectorName::Split(sector)) << sector;
    }
}

TEST(SectorNameTest, PartsThatCouldNotBeSplitBackAreRefused) {
    EXPECT_FALSE(SectorName::Build("", "a", "T"));
    EXPECT_FALSE(SectorName::Build("Q", "", "T"));
    EXPECT_FALSE(SectorName::Build("Q", "a", ""));
    EXPECT_FALSE(SectorName::Build("Q$R", "a", "T"));
    EXPECT_FALSE(SectorName::Build("Q", "a", "$T"));
}

TEST(SectorNameTest, ConversionsStayWithinTheirBuffer) {
    // 341 dollars escape to 1023 characters, the most the buffer holds.
    EXPECT_EQ(SectorName::AddEscapes(std::string(341, '$')), std::string(1023, '$'));
    EXPECT_FALSE(SectorName::AddEscapes(std::string(342, '$')));
    EXPECT_FALSE(SectorName::AddEscapes(std::string(1024, 'a')));
    EXPECT_FALSE(SectorName::RemoveEscapes(std::string(1024, 'a')));
    EXPECT_EQ(SectorName::RemoveEscapes("a$$$b$$c"), "a$b$$c");
}

}  // namespace
