#include "runtime/picture/PictureLayout.h"

#include <QList>
#include <QString>
#include <cstdio>

namespace rt {

namespace {

std::string number(int value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    return buf;
}

std::string withCase(const std::string& text, LetterCase letterCase) {
    if (letterCase == LetterCase::AsIs) return text;
    QString q = QString::fromUtf8(text);
    return (letterCase == LetterCase::Upper ? q.toUpper() : q.toLower()).toStdString();
}

std::string fraction(int hundredths, int digits) {
    if (digits >= 3) return number(hundredths * 10, 3);
    if (digits == 2) return number(hundredths, 2);
    return number(hundredths / 10, 1);
}

int twelveHourClock(int hour) {
    return hour % 12 == 0 ? 12 : hour % 12;
}

std::string renderPart(const LayoutPart& p, const Moment& m, const NameSet& names) {
    switch (p.part) {
        case Part::Literal:
            return p.literal;
        case Part::Day:
            return number(m.day, p.digits);
        case Part::Month:
            return number(m.month, p.digits);
        case Part::Year:
            return p.digits == 2 ? number(m.year % 100, 2) : number(m.year, 4);
        case Part::MonthName: {
            const auto& list = p.digits >= 4 ? names.monthFull : names.monthShort;
            return withCase(list[static_cast<std::size_t>(m.month - 1)], p.letterCase);
        }
        case Part::Weekday: {
            const auto& list = p.digits >= 4 ? names.dayFull : names.dayShort;
            return withCase(list[static_cast<std::size_t>(m.weekday)], p.letterCase);
        }
        case Part::Hour:
            return number(p.twelveHour ? twelveHourClock(m.hour) : m.hour, p.digits);
        case Part::Minute:
            return number(m.minute, p.digits);
        case Part::Second:
            return number(m.second, p.digits);
        case Part::Fraction:
            return fraction(m.hundredths, p.digits);
        case Part::AmPm:
            return withCase(m.hour < 12 ? names.am : names.pm, p.letterCase);
    }
    return {};
}

enum class RunKind { Separator, Digits, Letters };

// Digits in any script read as their values, so "٧/١٢/٢٠٢٦" is a date; marks
// stay with their letters; direction marks and punctuation separate.
RunKind kindOf(char32_t c) {
    if (QChar::isDigit(c)) return RunKind::Digits;
    if (QChar::isLetter(c) || QChar::isMark(c)) return RunKind::Letters;
    return RunKind::Separator;
}

}  // namespace

const NameSet& englishNames() {
    static const NameSet names{
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
        "AM",
        "PM"};
    return names;
}

std::string render(const Layout& layout, const Moment& moment, const NameSet& names) {
    std::string out;
    for (const LayoutPart& p : layout) out += renderPart(p, moment, names);
    return out;
}

std::vector<TextRun> splitRuns(std::string_view text) {
    std::vector<TextRun> runs;
    RunKind previous = RunKind::Separator;
    for (char32_t c :
         QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4()) {
        RunKind kind = kindOf(c);
        if (kind == RunKind::Separator) {
            previous = kind;
            continue;
        }
        if (kind != previous) runs.push_back({kind == RunKind::Digits, {}});
        if (kind == RunKind::Digits)
            runs.back().text += static_cast<char>('0' + QChar::digitValue(c));
        else
            runs.back().text += QString::fromUcs4(&c, 1).toStdString();
        previous = kind;
    }
    return runs;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                        Qt::CaseInsensitive) == 0;
}

int matchMonth(std::string_view run, const NameSet& names) {
    QString typed = QString::fromUtf8(run.data(), static_cast<qsizetype>(run.size()));
    for (int m = 0; m < 12; ++m) {
        QString full = QString::fromUtf8(names.monthFull[static_cast<std::size_t>(m)]);
        QString shortName = QString::fromUtf8(names.monthShort[static_cast<std::size_t>(m)]);
        while (shortName.endsWith('.')) shortName.chop(1);
        if (typed.compare(full, Qt::CaseInsensitive) == 0 ||
            typed.compare(shortName, Qt::CaseInsensitive) == 0 ||
            (typed.size() >= 3 && full.startsWith(typed, Qt::CaseInsensitive)))
            return m + 1;
    }
    return 0;
}

bool matchWeekday(std::string_view run, const NameSet& names) {
    for (std::size_t d = 0; d < 7; ++d)
        if (sameLetters(run, names.dayFull[d]) || sameLetters(run, names.dayShort[d])) return true;
    return false;
}

bool matchLiteral(std::string_view run, const Layout& layout) {
    for (const LayoutPart& p : layout)
        if (p.part == Part::Literal && sameLetters(trimBlanks(p.literal), run)) return true;
    return false;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace rt
