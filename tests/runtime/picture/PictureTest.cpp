#include <gtest/gtest.h>

#include <random>

#include "runtime/text/Date.h"
#include "runtime/picture/Picture.h"
#include "runtime/text/Time.h"

namespace rt {
namespace {

struct FormatRow {
    const char* picture;
    double value;
    const char* shown;
};

struct ReadRow {
    const char* picture;
    const char* typed;
    std::optional<double> value;  // none: the text must be refused
};

void expectFormats(const std::vector<FormatRow>& rows) {
    for (const FormatRow& r : rows)
        EXPECT_EQ(format(Value(r.value), r.picture), r.shown) << r.picture << " of " << r.value;
}

void expectReads(const std::vector<ReadRow>& rows) {
    for (const ReadRow& r : rows) {
        std::optional<Value> v = deformat(r.typed, r.picture);
        if (!r.value) {
            EXPECT_FALSE(v.has_value())
                << r.picture << " accepted '" << r.typed << "' as " << v->text();
        } else if (!v) {
            ADD_FAILURE() << r.picture << " refused '" << r.typed << "'";
        } else {
            EXPECT_TRUE(v->isNumber()) << r.picture << " '" << r.typed << "'";
            EXPECT_DOUBLE_EQ(v->number(), *r.value) << r.picture << " '" << r.typed << "'";
        }
    }
}

TEST(PictureTest, TextPicturesCutByCharactersAndNeverPad) {
    EXPECT_EQ(format(Value("abcdefgh"), "@s5"), "abcde");
    EXPECT_EQ(format(Value("ÄÖÜßéx"), "@S5"), "ÄÖÜßé");
    EXPECT_EQ(format(Value("ab"), "@s80"), "ab");
    EXPECT_EQ(format(Value(42), "@s10"), "42");
    EXPECT_EQ(format(Value("exactly10!"), "@s10"), "exactly10!");
    std::optional<Value> typed = deformat("日本語テキスト", "@s3");
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->text(), "日本語");
    EXPECT_EQ(deformat("  spaced ", "@s20")->text(), "  spaced ");
}

TEST(PictureTest, EmptyPictureShowsAndReadsPlainText) {
    EXPECT_TRUE(isValidPicture(""));
    EXPECT_TRUE(isValidPicture("   "));
    EXPECT_EQ(format(Value(12.5), ""), "12.5");
    EXPECT_EQ(deformat("as typed", "")->text(), "as typed");
}

TEST(PictureTest, NumbersFormatRightAlignedWithGroupingSignAndDecimals) {
    expectFormats({
        {"@n3", 7, "  7"},
        {"@n3", 123, "123"},
        {"@n3", 0, "  0"},
        {"@n3", -5, " -5"},  // no sign indicator: the minus still shows
        {"@n3", 1234, "###"},
        {"@n3", -100, "###"},
        {"@n-14", -1234567, "    -1,234,567"},
        {"@n-14", 1234567, "     1,234,567"},
        {"@n10.2", 4550.75, "  4,550.75"},
        {"@n10.2", 2.675, "      2.68"},  // rounds the decimal as written
        {"@n10.2", -1.5, "     -1.50"},
        {"@n10.2", 0.004, "      0.00"},
        {"@n6.2", 0.005, "  0.01"},
        {"@n5", 99999.5, "#####"},  // rounds up to 100,000, which does not fit
        {"@n12.2", 1e300, "############"},
        {"@N9.2", 4550.75, " 4,550.75"},
        {"@N_9.2B", 4550.75, "  4550.75"},
        {"@N_9.2B", 0, ""},
        {"@N-9.2B", 0.001, ""},  // blank when it rounds to zero
        {"@N09", 4550, "000004550"},
        {"@N-05", -45, "-0045"},
        {"@N*9", 45000, "***45,000"},
        {"@N9_", 4550000, "4 550 000"},
        {"@N9.", 4550000, "4.550.000"},
        {"@N_9`2", 4550.75, "  4550,75"},
        {"@N9.`2", 4550.75, " 4.550,75"},
        {"@N9`2", 4550.75, " 4.550,75"},
        {"@N9.2-", -2347.25, "2,347.25-"},
        {"@N9.2-", 2347.25, "2,347.25 "},
        {"@N(10.2)", -2347.25, "(2,347.25)"},
        {"@N(10.2)", 2347.25, " 2,347.25 "},
        {"@N$9.2B", 2347.25, "$2,347.25"},
        {"@N$10.2", -5, "    $-5.00"},
        {"@N~£~12.2", 1240.5, "   £1,240.50"},
        {"@N12_`2~ F~", 5430.5, "  5 430,50 F"},
    });
}

TEST(PictureTest, NumbersReadBackOrAreRefused) {
    expectReads({
        {"@n10.2", "1,234.56", 1234.56},
        {"@n10.2", "1234.56", 1234.56},
        {"@n10.2", "  -12.5 ", -12.5},
        {"@n10.2", "+3", 3},
        {"@n10.2", ".5", 0.5},
        {"@n10.2", "", 0},
        {"@n10.2", "   ", 0},
        {"@n10.2", "1.239", 1.24},          // extra decimals round
        {"@n10.2", "12,34", std::nullopt},  // grouping only every three digits
        {"@n10.2", "1,2345", std::nullopt},
        {"@n10.2", ",123", std::nullopt},
        {"@n10.2", "abc", std::nullopt},
        {"@n10.2", "12abc", std::nullopt},
        {"@n10.2", "1.2.3", std::nullopt},
        {"@n10.2", "--5", std::nullopt},
        {"@n10.2", "-5-", std::nullopt},
        {"@n10.2", "1e5", std::nullopt},
        {"@n10.2", ".", std::nullopt},
        {"@n10.2", "-", std::nullopt},
        {"@n10.2", "99999999.99", std::nullopt},  // does not fit ten characters
        {"@n3", "999", 999},
        {"@n3", "-99", -99},
        {"@n3", "1000", std::nullopt},
        {"@n3", "-100", std::nullopt},
        {"@n3", "2.5", 3},
        {"@n-14", "-1,234,567", -1234567},
        {"@N9.`2", "4.550,75", 4550.75},
        {"@N9.`2", "4550.75", std::nullopt},
        {"@N(10.2)", "(2,347.25)", -2347.25},
        {"@N9.2-", "2,347.25-", -2347.25},
        {"@N$9.2B", "$2,347.25", 2347.25},
        {"@N~£~12.2", "£1,240.50", 1240.5},
        {"@N*9", "***45,000", 45000},
        {"@N9_", "4 550 000", 4550000},
        {"@N09", "000004550", 4550},
        {"@N9.", "4.550.000", 4550000},
        {"@N9.", "4550000", 4550000},
        {"@n20", "123456789012345678901234567890", std::nullopt},
    });
}

TEST(PictureTest, NumbersRoundTrip) {
    const char* pictures[] = {"@n-14.2",  "@n10.2",  "@N(12.3)", "@N9.`2",
                              "@N$-12.2", "@N_9.2B", "@N*10.2"};
    const double values[] = {0, 1, -1, 999, 1000, -1234.5, 0.07, 98765.43, -0.5};
    for (const char* picture : pictures) {
        for (double v : values) {
            std::string shown = format(Value(v), picture);
            if (shown.find('#') != std::string::npos) continue;
            std::optional<Value> back = deformat(shown, picture);
            ASSERT_TRUE(back) << picture << " refused its own '" << shown << "'";
            EXPECT_NEAR(back->number(), v, 0.0006) << picture << " '" << shown << "'";
        }
    }
}

TEST(PictureTest, PatternsLayDigitsIntoPositions) {
    expectFormats({
        {"P##P", 7, "07"},
        {"P##P", 31, "31"},
        {"P<#P", 7, " 7"},
        {"P<#P", 0, " 0"},
        {"P##P", 123, "##"},
        {"P##P", -5, "##"},
        {"P##P", 7.9, "07"},  // only the whole part counts
        {"@P##PB", 0, ""},
        {"@P###-##-####P", 215846377, "215-84-6377"},
        {"@P<#/##/##P", 103159, "10/31/59"},
        {"@P<#/##/##P", 53159, " 5/31/59"},
        {"@P(###)###-####P", 3057854555, "(305)785-4555"},
        {"@P###/###-####P", 7854555, "000/785-4555"},
        {"@p<#:##PMp", 530, " 5:30PM"},
        {"@P<#lb. <#oz.P", 902, " 9lb.  2oz."},
        {"@PA##.C#P", 312.45, "A31.C2"},
    });
    expectReads({
        {"P##P", "07", 7},
        {"P##P", "7", 7},
        {"P##P", " 7", 7},
        {"P##P", "", 0},
        {"P##P", "123", std::nullopt},
        {"P##P", "x7", std::nullopt},
        {"P##P", "-7", std::nullopt},
        {"@P###-##-####P", "215-84-6377", 215846377},
        {"@P###-##-####P", "215846377", 215846377},
        {"@P###-##-####P", "215-846-377", std::nullopt},
        {"@P<#/##/##P", " 5/31/59", 53159},
        {"@P<#/##/##P", "5 /31/59", std::nullopt},
    });
}

TEST(PictureTest, MalformedPicturesAreRefusedClearly) {
    const std::string tooLong = "@s" + std::string(300, '9');
    const std::string garbage("@s\xff\xfe", 4);
    const std::string control("@s1\x01", 4);
    const std::string withNul("@n5\0", 4);
    const std::vector<std::string> bad = {"@",
                                          "@x5",
                                          "@s",
                                          "@s0",
                                          "@s4097",
                                          "@s99999999999999",
                                          "@s20x",
                                          "@s-5",
                                          "@n",
                                          "@n65",
                                          "@n5.5",
                                          "@n(5",
                                          "@n5)",
                                          "@n-5-",
                                          "@n5..2",
                                          "@n5.40",
                                          "@n~x5",
                                          "@nB",
                                          "@d",
                                          "@d0",
                                          "@d19",
                                          "@d17q",
                                          "@d6<100",
                                          "@t",
                                          "@t9",
                                          "@t0",
                                          "@t6x",
                                          "@P##",
                                          "@P",
                                          "@PP",
                                          "@PabcP",
                                          "P##p",
                                          "@E12.",
                                          "@K###K",
                                          "@Q5",
                                          "#",
                                          tooLong,
                                          garbage,
                                          control,
                                          withNul,
                                          std::string(300, ' ') + "@s5"};
    for (const std::string& p : bad) {
        EXPECT_FALSE(isValidPicture(p)) << "'" << p << "'";
        EXPECT_FALSE(pictureError(p).empty()) << "'" << p << "'";
        EXPECT_FALSE(Picture::compile(p).has_value()) << "'" << p << "'";
        EXPECT_EQ(format(Value("shown as is"), p), "shown as is") << "'" << p << "'";
        EXPECT_EQ(format(Value(5), p), "5") << "'" << p << "'";
        EXPECT_FALSE(deformat("5", p).has_value()) << "'" << p << "'";
    }
    EXPECT_NE(pictureError("@s0").find("4096"), std::string::npos);
    EXPECT_NE(pictureError("@d19").find("1 to 18"), std::string::npos);
}

TEST(PictureTest, PicturesTheProgramUsesAreValid) {
    const char* good[] = {"@s80",  "@s254",  "@S65",    "@s10",      "@s20",   "@s2",
                          "@s253", " @s35 ", "@n3",     "@n-14",     "@n10.2", "@d17",
                          "D17",   "@D15B",  "@D4",     "@T6",       "@T8",    "T8",
                          "P##P",  "@D1>40", "@D6<30B", "@N$(11.2)", "@t04.B", "@D06-"};
    for (const char* p : good) EXPECT_TRUE(isValidPicture(p)) << p << ": " << pictureError(p);
    EXPECT_EQ(Picture::compile("@s80")->kind(), Picture::Kind::Text);
    EXPECT_EQ(Picture::compile("@n-14")->kind(), Picture::Kind::Number);
    EXPECT_EQ(Picture::compile("D17")->kind(), Picture::Kind::Date);
    EXPECT_EQ(Picture::compile("T8")->kind(), Picture::Kind::Time);
    EXPECT_EQ(Picture::compile("P##P")->kind(), Picture::Kind::Pattern);
    EXPECT_EQ(Picture::compile("")->kind(), Picture::Kind::None);
    EXPECT_EQ(Picture::compile("@s254")->width(), 254);
    EXPECT_EQ(Picture::compile("@n-14")->width(), 14);
    EXPECT_EQ(Picture::compile("@D15B")->width(), 0);
}

// Random bytes as pictures and as typed text: nothing may crash or overrun
// (the sanitizer build watches), and whatever a date or time picture accepts
// must be a real date or time.
TEST(PictureTest, RandomPicturesAndTextNeverBreakAnything) {
    std::mt19937 rng(20261207);
    auto randomText = [&](std::size_t maxLength, const std::string& alphabet) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[rng() % alphabet.size()];
        return s;
    };
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    const std::string pictureChars = "@sSnNdDtTpP#<0123456789.`-_$~()*B ";
    for (int i = 0; i < 3000; ++i) {
        std::string picture = randomText(i % 2 ? 12 : 300, i % 3 ? pictureChars : bytes);
        std::string typed = randomText(40, i % 2 ? std::string("0123456789/.:-, APMapm") : bytes);
        (void)format(Value(static_cast<double>(rng() % 100000) - 500), picture);
        (void)format(Value(typed), picture);
        (void)deformat(typed, picture);
        for (const char* p : {"@d17", "@D4", "@D15B", "@D11"}) {
            std::optional<Value> d = deformat(typed, p);
            if (d && d->number() != 0) {
                EXPECT_GE(d->number(), kFirstDate) << p << " '" << typed << "'";
                EXPECT_LE(d->number(), kLastDate) << p << " '" << typed << "'";
            }
        }
        for (const char* p : {"@T6", "@T8", "@T2"}) {
            std::optional<Value> t = deformat(typed, p);
            if (t && t->number() != 0) {
                EXPECT_TRUE(isValidTime(static_cast<TimeValue>(t->number())))
                    << p << " '" << typed << "'";
            }
        }
    }
}

}  // namespace
}  // namespace rt
