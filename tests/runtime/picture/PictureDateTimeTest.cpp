#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QTime>
#include <array>

#include "runtime/text/Date.h"
#include "runtime/picture/Picture.h"
#include "runtime/picture/PictureFamilies.h"
#include "runtime/text/Time.h"

namespace rt {
namespace {

const DateSerial kNewYear2000 = 72687;  // a Saturday
const DateSerial kDec7th2026 = dateFromParts(12, 7, 2026);

struct DateRow {
    const char* picture;
    DateSerial date;
    const char* shown;
};

struct ReadRow {
    const char* picture;
    const char* typed;
    std::optional<int> value;  // none: the text must be refused
};

void expectReads(const std::vector<ReadRow>& rows) {
    for (const ReadRow& r : rows) {
        std::optional<Value> v = deformat(r.typed, r.picture);
        if (!r.value) {
            EXPECT_FALSE(v.has_value())
                << r.picture << " accepted '" << r.typed << "' as " << v->text();
        } else if (!v) {
            ADD_FAILURE() << r.picture << " refused '" << r.typed << "'";
        } else {
            EXPECT_EQ(v->number(), *r.value) << r.picture << " '" << r.typed << "'";
        }
    }
}

// Host-locale pictures follow QLocale(); each test here chooses the locale
// so that it does not depend on the machine's.
class HostPictureTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = QLocale(); }
    void TearDown() override { QLocale::setDefault(saved_); }
    static void useLocale(const char* name) { QLocale::setDefault(QLocale(QString(name))); }

  private:
    QLocale saved_;
};

TEST(PictureDateTest, KnownSerialsShowInEveryFixedLayout) {
    const std::vector<DateRow> rows = {
        {"@D1", kNewYear2000, "1/01/00"},         {"@D01", kNewYear2000, "01/01/00"},
        {"@D2", kNewYear2000, "1/01/2000"},       {"@D3", kNewYear2000, "JAN 1,2000"},
        {"@D4", kNewYear2000, "January 1, 2000"}, {"@D4", kDec7th2026, "December 7, 2026"},
        {"@d4", kDec7th2026, "December 7, 2026"}, {"@D04", kDec7th2026, "December 07, 2026"},
        {"@D5", kNewYear2000, "1/01/00"},         {"@D6", kDec7th2026, "7/12/2026"},
        {"@D06", kDec7th2026, "07/12/2026"},      {"@D6.", kDec7th2026, "7.12.2026"},
        {"@D6-", kDec7th2026, "7-12-2026"},       {"@D6_", kDec7th2026, "7 12 2026"},
        {"@D6`", kDec7th2026, "7,12,2026"},       {"@D7", kDec7th2026, "7 DEC 26"},
        {"@D8", kDec7th2026, "7 DEC 2026"},       {"@D9", kDec7th2026, "26/12/07"},
        {"@D10", kDec7th2026, "2026/12/07"},      {"@D11", kDec7th2026, "261207"},
        {"@D12", kNewYear2000, "20000101"},       {"@D13", kDec7th2026, "12/26"},
        {"@D14", kNewYear2000, "1/2000"},         {"@D15", kDec7th2026, "26/12"},
        {"@D15B", kNewYear2000, "00/01"},         {"@D16", kDec7th2026, "2026/12"},
        {"@D2", kFirstDate, "1/01/1801"},         {"@D10", kLastDate, "9999/12/31"},
    };
    for (const DateRow& r : rows) EXPECT_EQ(format(Value(r.date), r.picture), r.shown) << r.picture;
}

TEST(PictureDateTest, NoDateAndOutOfRangeSerialsShowBlank) {
    for (const char* p : {"@D15B", "@D15", "@D4", "@d17", "@D2"}) {
        EXPECT_EQ(format(Value(0), p), "") << p;
        EXPECT_EQ(format(Value(-5), p), "") << p;
        EXPECT_EQ(format(Value(kLastDate + 1), p), "") << p;
        EXPECT_EQ(format(Value(3), p), "") << p;
        EXPECT_EQ(format(Value("not a date"), p), "") << p;
    }
}

TEST(PictureDateTest, TypedDatesReadByTheLayoutsOrder) {
    const int dec1st2026 = dateFromParts(12, 1, 2026);
    expectReads({
        {"@D4", "December 7, 2026", kDec7th2026},
        {"@D4", "dec 7 2026", kDec7th2026},
        {"@D4", "DECEM 7, 2026", kDec7th2026},
        {"@D4", "7 December 2026", kDec7th2026},
        {"@D4", "Monday, December 7, 2026", kDec7th2026},
        {"@D4", "12/7/2026", kDec7th2026},
        {"@D4", "December 32, 2026", std::nullopt},
        {"@D4", "Smarch 7, 2026", std::nullopt},
        {"@D4", "De 7, 2026", std::nullopt},
        {"@D4", "December 7", std::nullopt},
        {"@D4", "December January 7 2026", std::nullopt},
        {"@D15B", "26/12", dec1st2026},
        {"@D15B", "2026/12", dec1st2026},
        {"@D15B", "2612", dec1st2026},
        {"@D15B", "", 0},
        {"@D15B", "   ", 0},
        {"@D15B", "26/13", std::nullopt},
        {"@D15B", "26/0", std::nullopt},
        {"@D6", "31/12/1999", dateFromParts(12, 31, 1999)},
        {"@D6", "1.1.2000", kNewYear2000},
        {"@D6", "01-01-2000", kNewYear2000},
        {"@D6", "01012000", kNewYear2000},
        {"@D6", "29/02/2024", dateFromParts(2, 29, 2024)},
        {"@D6", "29/02/2023", std::nullopt},
        {"@D6", "31/04/2024", std::nullopt},
        {"@D6", "0/1/2000", std::nullopt},
        {"@D6", "1/1", std::nullopt},
        {"@D6", "1/1/2000/5", std::nullopt},
        {"@D6", "1//2000", std::nullopt},
        {"@D6", "12/ab/2000", std::nullopt},
        {"@D6", "001/1/2000", std::nullopt},
        {"@D6", "1/1/20000", std::nullopt},
        {"@D6", "1/1/200", std::nullopt},
        {"@D6", "99999999999999999999/1/2000", std::nullopt},
        {"@D2", "12/31/1800", std::nullopt},
        {"@D2", "1/1/1801", kFirstDate},
        {"@D2", "12/31/9999", kLastDate},
        {"@D12", "20000101", kNewYear2000},
        {"@D11", "000101", kNewYear2000},
        {"@D8", "7 dec 2026", kDec7th2026},
        {"@D1", "hello", std::nullopt},
    });
}

TEST(PictureDateTest, TwoDigitYearsFallInAHundredYearWindow) {
    EXPECT_EQ(resolveTwoDigitYear(26, 2026, 80), 2026);
    EXPECT_EQ(resolveTwoDigitYear(45, 2026, 80), 2045);  // 19 years ahead
    EXPECT_EQ(resolveTwoDigitYear(46, 2026, 80), 1946);  // 80 years back
    EXPECT_EQ(resolveTwoDigitYear(0, 2026, 80), 2000);
    EXPECT_EQ(resolveTwoDigitYear(66, 2026, 59), 2066);  // ">40": 40 years ahead
    EXPECT_EQ(resolveTwoDigitYear(67, 2026, 59), 1967);
    EXPECT_EQ(resolveTwoDigitYear(99, 2026, 0), 2099);
    EXPECT_EQ(resolveTwoDigitYear(25, 2026, 0), 2125);
    const int thisYear = dateYear(today());
    for (int yy : {0, 26, 50, 99}) {
        int year = resolveTwoDigitYear(yy, thisYear, 80);
        EXPECT_EQ(deformat("1/1/" + std::to_string(yy), "@D6")->number(),
                  dateFromParts(1, 1, year));
        int ahead = resolveTwoDigitYear(yy, thisYear, 99 - 40);
        EXPECT_EQ(deformat("1/1/" + std::to_string(yy), "@D6>40")->number(),
                  dateFromParts(1, 1, ahead));
    }
}

TEST(PictureDateTest, EveryLayoutReadsBackWhatItShows) {
    const char* pictures[] = {"@D1",  "@D2",  "@D3",  "@D4",  "@D5",   "@D6",
                              "@D7",  "@D8",  "@D9",  "@D10", "@D11",  "@D12",
                              "@D02", "@D6-", "@D6_", "@D6`", "@D10.", "@D04"};
    for (const char* p : pictures) {
        for (DateSerial d = dateFromParts(1, 1, 2010); d < dateFromParts(1, 1, 2030); d += 97) {
            std::string shown = format(Value(d), p);
            std::optional<Value> back = deformat(shown, p);
            ASSERT_TRUE(back) << p << " refused its own '" << shown << "'";
            EXPECT_EQ(back->number(), d) << p << " '" << shown << "'";
        }
    }
    for (const char* p : {"@D13", "@D14", "@D15", "@D16"}) {
        DateSerial d = dateFromParts(7, 19, 2024);
        EXPECT_EQ(deformat(format(Value(d), p), p)->number(), dateFromParts(7, 1, 2024)) << p;
    }
}

TEST_F(HostPictureTest, ShortAndLongDatesFollowTheHostLocale) {
    useLocale("en_US");
    EXPECT_EQ(format(Value(kDec7th2026), "@d17"), "12/7/26");
    EXPECT_EQ(format(Value(kDec7th2026), "D17"), "12/7/26");
    EXPECT_EQ(format(Value(kDec7th2026), "@D18"), "Monday, December 7, 2026");
    useLocale("de_DE");
    EXPECT_EQ(format(Value(kDec7th2026), "@d17"), "07.12.26");
    EXPECT_EQ(format(Value(kDec7th2026), "@d18"), "Montag, 7. Dezember 2026");
    useLocale("en_GB");
    EXPECT_EQ(format(Value(kDec7th2026), "@d17"), "07/12/2026");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(format(Value(kDec7th2026), "@d17"), "7 Dec 2026");
    for (const char* name : {"en_US", "de_DE", "fr_FR", "ja_JP", "nl_NL", "ko_KR"}) {
        useLocale(name);
        QDate q(2026, 12, 7);
        EXPECT_EQ(format(Value(kDec7th2026), "@d17"),
                  QLocale().toString(q, QLocale::ShortFormat).toStdString())
            << name;
        EXPECT_EQ(format(Value(kDec7th2026), "@d18"),
                  QLocale().toString(q, QLocale::LongFormat).toStdString())
            << name;
    }
}

TEST_F(HostPictureTest, HostDatesReadBack) {
    for (const char* name : {"en_US", "de_DE", "en_GB", "fr_FR", "ja_JP", "ko_KR", "nl_NL", "C"}) {
        useLocale(name);
        for (const char* p : {"@d17", "@d18"}) {
            for (DateSerial d : {kNewYear2000, kDec7th2026, dateFromParts(2, 29, 2024)}) {
                std::string shown = format(Value(d), p);
                std::optional<Value> back = deformat(shown, p);
                ASSERT_TRUE(back) << name << " " << p << " refused its own '" << shown << "'";
                EXPECT_EQ(back->number(), d) << name << " " << p << " '" << shown << "'";
            }
        }
    }
    useLocale("en_US");
    expectReads({{"@d17", "12/7/2026", kDec7th2026},
                 {"@d17", "Dec 7 2026", kDec7th2026},
                 {"@d17", "", 0},
                 {"@d17", "13/7/26", std::nullopt},
                 {"@d17", "12/7", std::nullopt},
                 {"@d17", "next tuesday", std::nullopt}});
    useLocale("de_DE");
    expectReads({{"@d17", "7.12.2026", kDec7th2026}, {"@d17", "7. Dezember 2026", kDec7th2026}});
    useLocale("ar_EG");  // direction marks in the form, and native digits typed
    std::string shown = format(Value(kDec7th2026), "@d17");
    EXPECT_EQ(deformat(shown, "@d17")->number(), kDec7th2026) << shown;
    EXPECT_EQ(deformat("٧/١٢/٢٠٢٦", "@d17")->number(), kDec7th2026);
}

TEST_F(HostPictureTest, SystemShortDateIsWhatTheHostShows) {
    QLocale::setDefault(QLocale::system());
    QDate q(2026, 12, 7);
    if (QLocale().zeroDigit() != QLatin1Char('0')) GTEST_SKIP() << "host digits are not ASCII";
    EXPECT_EQ(format(Value(kDec7th2026), "@d17"),
              QLocale::system().toString(q, QLocale::ShortFormat).toStdString());
}

TEST(PictureTimeTest, FixedLayoutsShowHoursMinutesSecondsAndHalfDays) {
    const TimeValue afternoon = timeFromParts(13, 5, 9, 7);
    const TimeValue morning = timeFromParts(9, 5, 0);
    const struct {
        const char* picture;
        TimeValue time;
        const char* shown;
    } rows[] = {
        {"@T1", afternoon, "13:05"},
        {"@T1", morning, "9:05"},
        {"@T01", morning, "09:05"},
        {"@T2", morning, "0905"},
        {"@T3", afternoon, "1:05PM"},
        {"@T03", afternoon, "01:05PM"},
        {"@T4", afternoon, "13:05:09"},
        {"@T5", afternoon, "130509"},
        {"@T6", afternoon, "1:05:09PM"},
        {"@t6", morning, "9:05:00AM"},
        {"@T6", kFirstTime, "12:00:00AM"},
        {"@T6", timeFromParts(12, 0, 0), "12:00:00PM"},
        {"@T6", kLastTime, "11:59:59PM"},
        {"@T4.", afternoon, "13.05.09"},
        {"@T4_", afternoon, "13 05 09"},
        {"@T6B", 0, ""},
        {"@T6", 0, ""},
        {"@T4", kLastTime + 1, ""},
        {"@T4", -1, ""},
    };
    for (const auto& r : rows) EXPECT_EQ(format(Value(r.time), r.picture), r.shown) << r.picture;
}

TEST(PictureTimeTest, TypedTimesReadBackOrAreRefused) {
    const int afternoon = timeFromParts(13, 5, 9);
    expectReads({
        {"@T6", "1:05:09PM", afternoon},
        {"@T6", "1:05:09 pm", afternoon},
        {"@T6", "13:05:09", afternoon},
        {"@T6", "130509", afternoon},
        {"@T6", "13:05:09.5", timeFromParts(13, 5, 9, 50)},
        {"@T6", "1:05:09.07 PM", timeFromParts(13, 5, 9, 7)},
        {"@T6", "1 PM", timeFromParts(13, 0, 0)},
        {"@T6", "12:00 AM", kFirstTime},
        {"@T6", "12:00PM", timeFromParts(12, 0, 0)},
        {"@T6", "12:30a", timeFromParts(0, 30, 0)},
        {"@T6", "", 0},
        {"@T6", "13:05 PM", std::nullopt},
        {"@T6", "0:30 PM", std::nullopt},
        {"@T6", "1:05 AM PM", std::nullopt},
        {"@T6", "25:00", std::nullopt},
        {"@T6", "24:00", std::nullopt},
        {"@T6", "1:60", std::nullopt},
        {"@T6", "1:05:60", std::nullopt},
        {"@T6", "1:5:9:1:1", std::nullopt},
        {"@T6", "123:05", std::nullopt},
        {"@T6", "1234567", std::nullopt},
        {"@T6", "noon", std::nullopt},
        {"@T6", "-1:00", timeFromParts(1, 0, 0)},  // a stray dash is a separator
        {"@T2", "0905", timeFromParts(9, 5, 0)},
        {"@T2", "905", timeFromParts(9, 5, 0)},
        {"@T1", "9", timeFromParts(9, 0, 0)},
    });
}

TEST(PictureTimeTest, EveryLayoutReadsBackWhatItShows) {
    for (const char* p : {"@T1", "@T2", "@T3", "@T4", "@T5", "@T6", "@T04", "@T6.", "@T4_"}) {
        bool seconds = std::string(p).find_first_of("456") != std::string::npos;
        for (TimeValue t = kFirstTime; t <= kLastTime; t += 3 * 360000 + 7 * 6000 + 1100) {
            TimeValue shownTime =
                timeFromParts(timeHours(t), timeMinutes(t), seconds ? timeSeconds(t) : 0);
            std::string shown = format(Value(t), p);
            std::optional<Value> back = deformat(shown, p);
            ASSERT_TRUE(back) << p << " refused its own '" << shown << "'";
            EXPECT_EQ(back->number(), shownTime) << p << " '" << shown << "'";
        }
    }
}

TEST_F(HostPictureTest, LongTimeFollowsTheHostWithoutItsTimeZone) {
    const TimeValue t = timeFromParts(13, 5, 9);
    useLocale("en_US");
    EXPECT_EQ(format(Value(t), "@T8"), "1:05:09 PM");
    EXPECT_EQ(format(Value(t), "T8"), "1:05:09 PM");
    EXPECT_EQ(format(Value(t), "@T7"), "1:05 PM");
    useLocale("de_DE");
    EXPECT_EQ(format(Value(t), "@T8"), "13:05:09");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(format(Value(t), "@T8"), "13:05:09");
    for (const char* name : {"en_US", "de_DE", "ja_JP", "ko_KR", "nl_NL", "C"}) {
        useLocale(name);
        for (const char* p : {"@T7", "@T8"}) {
            std::string shown = format(Value(t), p);
            EXPECT_EQ(shown.find("UTC"), std::string::npos) << name << " " << shown;
            std::optional<Value> back = deformat(shown, p);
            ASSERT_TRUE(back) << name << " " << p << " refused its own '" << shown << "'";
            bool withSeconds =
                p[2] == '8' || QLocale().timeFormat(QLocale::ShortFormat).contains('s');
            EXPECT_EQ(back->number(), withSeconds ? t : timeFromParts(13, 5, 0))
                << name << " '" << shown << "'";
        }
    }
}

TEST(TimeTest, PartsAndValuesAgree) {
    EXPECT_EQ(timeFromParts(0, 0, 0), 1);
    EXPECT_EQ(timeFromParts(23, 59, 59, 99), kLastTime);
    EXPECT_EQ(timeFromParts(13, 5, 9, 7), 4710908);
    const std::vector<std::array<int, 4>> bad = {
        {24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 100}};
    for (const auto& b : bad) EXPECT_EQ(timeFromParts(b[0], b[1], b[2], b[3]), 0);
    EXPECT_EQ(timeHours(4710908), 13);
    EXPECT_EQ(timeMinutes(4710908), 5);
    EXPECT_EQ(timeSeconds(4710908), 9);
    EXPECT_EQ(timeHundredths(4710908), 7);
    EXPECT_EQ(timeHours(0), 0);
    EXPECT_EQ(timeHours(kLastTime + 1), 0);
    EXPECT_FALSE(isValidTime(0));
    EXPECT_TRUE(isValidTime(clockNow()));
}

}  // namespace
}  // namespace rt
