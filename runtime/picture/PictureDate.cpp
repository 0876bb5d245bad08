// Date pictures: the sixteen fixed layouts and the host's two forms.
#include <QDate>
#include <QLocale>
#include <QString>

#include "runtime/text/Date.h"
#include "runtime/picture/PictureFamilies.h"
#include "runtime/picture/PictureLayout.h"

namespace rt {

namespace {

LayoutPart num(Part part, int digits) {
    LayoutPart p;
    p.part = part;
    p.digits = digits;
    return p;
}

LayoutPart lit(std::string text) {
    LayoutPart p;
    p.literal = std::move(text);
    return p;
}

LayoutPart monthName(bool full) {
    LayoutPart p = num(Part::MonthName, full ? 4 : 3);
    p.letterCase = full ? LetterCase::AsIs : LetterCase::Upper;
    return p;
}

// Layouts 1..16. The first number of a layout, and the day beside a month
// name, go without a leading zero unless the picture asks for zero fill.
Layout fixedLayout(const DateSpec& s) {
    const int lead = s.zeroFill ? 2 : 1;
    const LayoutPart sep = lit(std::string(1, s.separator));
    const LayoutPart y2 = num(Part::Year, 2), y4 = num(Part::Year, 4);
    const LayoutPart d2 = num(Part::Day, 2), m2 = num(Part::Month, 2);
    switch (s.layout) {
        case 1:
            return {num(Part::Month, lead), sep, d2, sep, y2};
        case 2:
            return {num(Part::Month, lead), sep, d2, sep, y4};
        case 3:
            return {monthName(false), lit(" "), num(Part::Day, lead), lit(","), y4};
        case 4:
            return {monthName(true), lit(" "), num(Part::Day, lead), lit(", "), y4};
        case 5:
            return {num(Part::Day, lead), sep, m2, sep, y2};
        case 6:
            return {num(Part::Day, lead), sep, m2, sep, y4};
        case 7:
            return {num(Part::Day, lead), lit(" "), monthName(false), lit(" "), y2};
        case 8:
            return {num(Part::Day, lead), lit(" "), monthName(false), lit(" "), y4};
        case 9:
            return {y2, sep, m2, sep, d2};
        case 10:
            return {y4, sep, m2, sep, d2};
        case 11:
            return {y2, m2, d2};
        case 12:
            return {y4, m2, d2};
        case 13:
            return {num(Part::Month, lead), sep, y2};
        case 14:
            return {num(Part::Month, lead), sep, y4};
        case 15:
            return {y2, sep, m2};
        default:
            return {y4, sep, m2};
    }
}

bool isHostForm(const DateSpec& s) {
    return s.layout >= 17;
}

Layout layoutOf(const DateSpec& s) {
    return isHostForm(s) ? hostDateLayout(s.layout == 18) : fixedLayout(s);
}

int daysInMonth(int month, int year) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// One run of digits typed without separators ("261207"), cut by the
// layout: days and months take two digits, the year the rest (2 or 4).
std::vector<std::string> splitCompact(const std::string& digits, const std::vector<Part>& order) {
    std::size_t others = 2 * (order.size() - 1);
    if (digits.size() <= others) return {};
    std::size_t yearWidth = digits.size() - others;
    if (yearWidth != 2 && yearWidth != 4) return {};
    std::vector<std::string> out;
    std::size_t at = 0;
    for (Part p : order) {
        std::size_t w = p == Part::Year ? yearWidth : 2;
        out.push_back(digits.substr(at, w));
        at += w;
    }
    return out;
}

struct Reading {
    int namedMonth = 0;
    std::vector<std::string> numbers;
};

// Sorts the typed runs into numbers and a month name; false on any word
// that is neither a month, a weekday nor one of the layout's own words.
bool sortRuns(std::string_view text, const Layout& layout, const NameSet& names, Reading& r) {
    for (TextRun& run : splitRuns(text)) {
        if (run.digits) {
            r.numbers.push_back(std::move(run.text));
            continue;
        }
        int month = matchMonth(run.text, names);
        if (month == 0) month = matchMonth(run.text, englishNames());
        if (month != 0) {
            if (r.namedMonth != 0) return false;
            r.namedMonth = month;
        } else if (!matchWeekday(run.text, names) && !matchLiteral(run.text, layout)) {
            return false;
        }
    }
    return true;
}

std::optional<DateSerial> readByLayout(std::string_view text, const Layout& layout,
                                       const NameSet& names, int pastYears) {
    Reading r;
    if (!sortRuns(text, layout, names, r)) return std::nullopt;
    std::vector<Part> order;
    bool hasDay = false;
    for (const LayoutPart& p : layout) {
        if (p.part == Part::Day || p.part == Part::Year) order.push_back(p.part);
        if ((p.part == Part::Month || p.part == Part::MonthName) && r.namedMonth == 0)
            order.push_back(Part::Month);
        hasDay = hasDay || p.part == Part::Day;
    }
    if (r.numbers.size() == 1 && order.size() > 1) r.numbers = splitCompact(r.numbers[0], order);
    if (r.numbers.size() != order.size()) return std::nullopt;
    int day = hasDay ? 0 : 1, month = r.namedMonth, year = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string& n = r.numbers[i];
        if (n.size() > 4 || (order[i] != Part::Year && n.size() > 2) || n.size() == 3)
            return std::nullopt;
        int v = std::stoi(n);
        if (order[i] == Part::Day) day = v;
        if (order[i] == Part::Month) month = v;
        if (order[i] == Part::Year)
            year = n.size() == 4 ? v : resolveTwoDigitYear(v, dateYear(today()), pastYears);
    }
    if (month < 1 || month > 12 || year < 1801 || year > 9999) return std::nullopt;
    if (day < 1 || day > daysInMonth(month, year)) return std::nullopt;
    return dateFromParts(month, day, year);
}

// Qt reads host forms that mix words and numbers without separators
// ("2026年12月7日").
std::optional<DateSerial> readTheHostWay(std::string_view text, bool longForm, int pastYears) {
    QString form = QString::fromStdString(hostDateFormat(longForm));
    QDate d =
        QLocale().toDate(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), form);
    if (!d.isValid()) return std::nullopt;
    int year = d.year();
    if (!form.contains(QStringLiteral("yyyy")))
        year = resolveTwoDigitYear(year % 100, dateYear(today()), pastYears);
    DateSerial serial = dateFromParts(d.month(), d.day(), year);
    if (serial == 0) return std::nullopt;
    return serial;
}

}  // namespace

int resolveTwoDigitYear(int twoDigits, int currentYear, int pastYears) {
    int first = currentYear - pastYears;
    int year = first - first % 100 + twoDigits;
    return year < first ? year + 100 : year;
}

std::string formatDate(const DateSpec& spec, long long serial) {
    if (serial < kFirstDate || serial > kLastDate) return {};
    DateSerial d = static_cast<DateSerial>(serial);
    Moment m;
    m.year = dateYear(d);
    m.month = dateMonth(d);
    m.day = dateDay(d);
    m.weekday = dateWeekday(d);
    return render(layoutOf(spec), m, isHostForm(spec) ? hostNames() : englishNames());
}

std::optional<Value> deformatDate(const DateSpec& spec, std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (t.empty()) return Value(0);
    NameSet names = isHostForm(spec) ? hostNames() : englishNames();
    std::optional<DateSerial> serial = readByLayout(t, layoutOf(spec), names, spec.pastYears);
    if (!serial && isHostForm(spec)) serial = readTheHostWay(t, spec.layout == 18, spec.pastYears);
    if (!serial) return std::nullopt;
    return Value(*serial);
}

}  // namespace rt
