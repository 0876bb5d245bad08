#include <gtest/gtest.h>

#include "runtime/text/TextCase.h"

namespace rt {
namespace {

TEST(TextCaseTest, UpperFoldsEveryLetterNotOnlyAscii) {
    const std::pair<const char*, const char*> rows[] = {
        {"abc xyz 019 -_:", "ABC XYZ 019 -_:"},
        {"äöü", "ÄÖÜ"},
        {"straße", "STRASSE"},  // full mapping: one letter becomes two
        {"éàçñø", "ÉÀÇÑØ"},
        {"αβγ", "ΑΒΓ"},
        {"жюя", "ЖЮЯ"},
        {"mixed Ärger", "MIXED ÄRGER"},
        {"日本", "日本"},  // no case: unchanged
        {"", ""},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(upper(text), expected) << text;
}

TEST(TextCaseTest, LowerIsTheCounterpart) {
    EXPECT_EQ(lower("ABC Xyz 1"), "abc xyz 1");
    EXPECT_EQ(lower("ÄÖÜ ÉÀ"), "äöü éà");
    EXPECT_EQ(lower("ΑΒΓ"), "αβγ");
}

// Indexes store folded keys and views fold again on every read: folding a
// folded text must change nothing, or rows would vanish from their views.
TEST(TextCaseTest, FoldingIsStable) {
    for (const char* text : {"straße", "Ärger", "ǆemal", "ﬁle", "İstanbul", "ΐ"}) {
        std::string once = upper(text);
        EXPECT_EQ(upper(once), once) << text;
    }
}

TEST(TextCaseTest, InvalidUtf8BecomesTheReplacementCharacter) {
    EXPECT_EQ(upper("a\xff"), "A\xEF\xBF\xBD");
    EXPECT_EQ(upper("a\xff"), upper("a\xff"));
}

}  // namespace
}  // namespace rt
