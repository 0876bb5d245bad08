#include <gtest/gtest.h>

#include <string>

#include "errors/MessageSubstitution.h"

namespace {

TEST(ReplacePlaceholderTest, ReplacesEveryOccurrenceIgnoringCase) {
    EXPECT_EQ(ReplacePlaceholder("%Key, %KEY and %key", "%Key", "K"), "K, K and K");
    EXPECT_EQ(ReplacePlaceholder("nothing here", "%Key", "K"), "nothing here");
    EXPECT_EQ(ReplacePlaceholder("%Key", "%Key", ""), "");
}

TEST(ReplacePlaceholderTest, AValueEqualToItsPlaceholderIgnoringCaseChangesNothing) {
    EXPECT_EQ(ReplacePlaceholder("%Key and %key", "%Key", "%KEY"), "%Key and %key");
}

TEST(ReplacePlaceholderTest, APlaceholderFormedByAReplacementIsReplacedToo) {
    // "%" + "Key" makes a new "%Key", as searching again from the start would.
    EXPECT_EQ(ReplacePlaceholder("%%Key", "%Key", "Key"), "Key");
}

TEST(ReplacePlaceholderTest, AValueHoldingItsPlaceholderIsInsertedOncePerOccurrence) {
    EXPECT_EQ(ReplacePlaceholder("[%Key] [%Key]", "%Key", "a%keyb"), "[a%keyb] [a%keyb]");
    EXPECT_EQ(ReplacePlaceholder("%Key", "%Key", "%Key%Key"), "%Key%Key");
}

TEST(ReplacePlaceholderTest, EndlessRewritingStopsWithinCapacity) {
    // Each "ab" becomes "bbaa", which makes a new "ab" one place on: the
    // search from the start would never end.
    std::string result = ReplacePlaceholder("aab", "ab", "bbaa", 50);
    EXPECT_LE(result.size(), 49u);
    EXPECT_EQ(result.substr(0, 2), "bb");
}

TEST(ReplacePlaceholderTest, TheBufferIsCutAtItsCapacity) {
    EXPECT_EQ(ReplacePlaceholder("%Key%Key", "%Key", std::string(10, 'v'), 16),
              std::string(15, 'v'));
}

TEST(MessageSubstitutionTest, ErrorTextZeroCodeAndEmptyTextIsABlankAndZero) {
    ErrorStatusGroup status;
    EXPECT_EQ(MessageSubstitution::ErrorText(status), " (0)");
    status.SaveErrorCode = 100;
    status.SaveFileError = "locked";
    status.SaveFileErrorCode = "5";
    EXPECT_EQ(MessageSubstitution::ErrorText(status), "locked (5)");
}

TEST(MessageSubstitutionTest, ThePreviousTemplateIsAskedForOnlyWhenNeeded) {
    ErrorStatusGroup status;
    status.ErrorBuffer.Message = "%Key then %previous";
    status.KeyName = "%Previous";
    int asked = 0;
    auto previous = [&] {
        ++asked;
        return std::string("earlier %File");
    };
    // A value can bring the exact form in; it is then replaced like any other.
    EXPECT_EQ(MessageSubstitution(status, "", previous).Apply(),
              "earlier %File then earlier %File");
    EXPECT_EQ(asked, 1);
    status.KeyName = "k";
    EXPECT_EQ(MessageSubstitution(status, "", previous).Apply(), "k then %previous");
    EXPECT_EQ(asked, 1);
}

}  // namespace
