// Time pictures: the six fixed layouts and the host's two forms.
#include <QLocale>
#include <QString>
#include <QTime>

#include "runtime/picture/PictureFamilies.h"
#include "runtime/picture/PictureLayout.h"
#include "runtime/text/Time.h"

namespace rt {

namespace {

LayoutPart part(Part kind, int digits, bool twelveHour = false) {
    LayoutPart p;
    p.part = kind;
    p.digits = digits;
    p.twelveHour = twelveHour;
    return p;
}

// Layouts 1..6: the hour goes without a leading zero unless the picture
// asks for zero fill or the layout has no separators.
Layout fixedLayout(const TimeSpec& s) {
    const int lead = s.zeroFill ? 2 : 1;
    LayoutPart sep;
    sep.literal = std::string(1, s.separator);
    const LayoutPart mm = part(Part::Minute, 2), ss = part(Part::Second, 2),
                     ampm = part(Part::AmPm, 0);
    switch (s.layout) {
        case 1:
            return {part(Part::Hour, lead), sep, mm};
        case 2:
            return {part(Part::Hour, 2), mm};
        case 3:
            return {part(Part::Hour, lead, true), sep, mm, ampm};
        case 4:
            return {part(Part::Hour, lead), sep, mm, sep, ss};
        case 5:
            return {part(Part::Hour, 2), mm, ss};
        default:
            return {part(Part::Hour, lead, true), sep, mm, sep, ss, ampm};
    }
}

bool isHostForm(const TimeSpec& s) {
    return s.layout >= 7;
}

Layout layoutOf(const TimeSpec& s) {
    return isHostForm(s) ? hostTimeLayout(s.layout == 8) : fixedLayout(s);
}

enum class Half { None, Am, Pm };

// Host AM and PM texts may hold dots or spaces ("a.m."); they are swapped
// for plain markers before the text is cut into runs.
std::string markHalves(std::string_view text, const NameSet& names) {
    QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!names.am.empty())
        q.replace(QString::fromStdString(names.am), QStringLiteral(" AM "), Qt::CaseInsensitive);
    if (!names.pm.empty())
        q.replace(QString::fromStdString(names.pm), QStringLiteral(" PM "), Qt::CaseInsensitive);
    return q.toStdString();
}

Half matchHalf(std::string_view run) {
    if (sameLetters(run, "AM") || sameLetters(run, "A")) return Half::Am;
    if (sameLetters(run, "PM") || sameLetters(run, "P")) return Half::Pm;
    return Half::None;
}

// The clock numbers typed: "1:05:09" as three runs, "130509" as one.
std::vector<std::string> clockNumbers(std::vector<std::string> runs) {
    if (runs.size() != 1 || runs[0].size() <= 2) return runs;
    const std::string& all = runs[0];
    if (all.size() > 6) return {};
    std::size_t hourWidth = 2 - all.size() % 2;
    std::vector<std::string> out{all.substr(0, hourWidth)};
    for (std::size_t at = hourWidth; at < all.size(); at += 2) out.push_back(all.substr(at, 2));
    return out;
}

int hundredthsOf(const std::string& digits) {
    std::string padded = (digits + "00").substr(0, 2);
    return std::stoi(padded);
}

std::optional<TimeValue> readByLayout(std::string_view text, const Layout& layout,
                                      const NameSet& names) {
    Half half = Half::None;
    std::vector<std::string> runs;
    for (TextRun& run : splitRuns(markHalves(text, names))) {
        Half h = run.digits ? Half::None : matchHalf(run.text);
        if (run.digits)
            runs.push_back(std::move(run.text));
        else if (h != Half::None && half == Half::None)
            half = h;
        else if (!matchLiteral(run.text, layout))
            return std::nullopt;
    }
    std::vector<std::string> n = clockNumbers(std::move(runs));
    if (n.empty() || n.size() > 4) return std::nullopt;
    for (std::size_t i = 0; i < n.size(); ++i)
        if (n[i].size() > (i == 3 ? 3u : 2u)) return std::nullopt;
    int hour = std::stoi(n[0]);
    int minute = n.size() > 1 ? std::stoi(n[1]) : 0;
    int second = n.size() > 2 ? std::stoi(n[2]) : 0;
    int hundredths = n.size() > 3 ? hundredthsOf(n[3]) : 0;
    if (half != Half::None) {
        if (hour > 12 || (hour == 0 && half == Half::Pm)) return std::nullopt;
        hour = hour % 12 + (half == Half::Pm ? 12 : 0);
    }
    TimeValue t = timeFromParts(hour, minute, second, hundredths);
    if (t == 0) return std::nullopt;
    return t;
}

std::optional<TimeValue> readTheHostWay(std::string_view text, bool longForm) {
    QString form = QString::fromStdString(hostTimeFormat(longForm));
    QTime t =
        QLocale().toTime(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), form);
    if (!t.isValid()) return std::nullopt;
    return timeFromParts(t.hour(), t.minute(), t.second(), t.msec() / 10);
}

}  // namespace

std::string formatTime(const TimeSpec& spec, long long time) {
    if (time < kFirstTime || time > kLastTime) return {};
    TimeValue t = static_cast<TimeValue>(time);
    Moment m;
    m.hour = timeHours(t);
    m.minute = timeMinutes(t);
    m.second = timeSeconds(t);
    m.hundredths = timeHundredths(t);
    return render(layoutOf(spec), m, isHostForm(spec) ? hostNames() : englishNames());
}

std::optional<Value> deformatTime(const TimeSpec& spec, std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (t.empty()) return Value(0);
    NameSet names = isHostForm(spec) ? hostNames() : englishNames();
    std::optional<TimeValue> time = readByLayout(t, layoutOf(spec), names);
    if (!time && isHostForm(spec)) time = readTheHostWay(t, spec.layout == 8);
    if (!time) return std::nullopt;
    return Value(*time);
}

}  // namespace rt
