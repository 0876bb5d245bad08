// The host-locale date and time forms: QLocale() format strings turned into
// layouts the picture code renders and reads like its own.
#include <QLocale>
#include <QString>
#include <algorithm>

#include "runtime/picture/PictureLayout.h"

namespace rt {

namespace {

// Runs of one format letter, quoted literals and plain literals, in order.
class QtFormatReader {
  public:
    explicit QtFormatReader(const QString& format) : f_(format) {}

    Layout read() {
        while (i_ < f_.size()) {
            if (f_[i_] == '\'')
                quoted();
            else if (!field())
                literal(QString(f_[i_++]));
        }
        if (droppedZone_) trimZoneLeftovers();
        markTwelveHour();
        return layout_;
    }

  private:
    int run() {
        int n = 1;
        while (i_ + n < f_.size() && f_[i_ + n] == f_[i_]) ++n;
        return n;
    }

    void quoted() {
        ++i_;
        QString text;
        while (i_ < f_.size()) {
            if (f_[i_] == '\'' && i_ + 1 < f_.size() && f_[i_ + 1] == '\'') {
                text += '\'';
                i_ += 2;
            } else if (f_[i_] == '\'') {
                ++i_;
                break;
            } else {
                text += f_[i_++];
            }
        }
        literal(text.isEmpty() ? QStringLiteral("'") : text);
    }

    bool field() {
        char c = f_[i_].toLatin1();
        int n = run();
        LayoutPart p;
        switch (c) {
            case 'd':
                p = n <= 2 ? number(Part::Day, n) : name(Part::Weekday, n);
                break;
            case 'M':
                p = n <= 2 ? number(Part::Month, n) : name(Part::MonthName, n);
                break;
            case 'y':
                p = number(Part::Year, n == 2 ? 2 : 4);
                break;
            case 'h':
            case 'H':
                p = number(Part::Hour, std::min(n, 2));
                p.twelveHour = c == 'h';
                break;
            case 'm':
                p = number(Part::Minute, std::min(n, 2));
                break;
            case 's':
                p = number(Part::Second, std::min(n, 2));
                break;
            case 'z':
                p = number(Part::Fraction, n >= 3 ? 3 : 1);
                break;
            case 'A':
            case 'a':
                return amPm(c);
            case 't':
                i_ += n;
                droppedZone_ = true;
                return true;
            default:
                return false;
        }
        i_ += n;
        layout_.push_back(p);
        return true;
    }

    bool amPm(char c) {
        LayoutPart p;
        p.part = Part::AmPm;
        p.letterCase = c == 'A' ? LetterCase::Upper : LetterCase::Lower;
        i_ += (i_ + 1 < f_.size() && f_[i_ + 1] == (c == 'A' ? 'P' : 'p')) ? 2 : 1;
        layout_.push_back(p);
        return true;
    }

    static LayoutPart number(Part part, int digits) {
        LayoutPart p;
        p.part = part;
        p.digits = digits;
        return p;
    }
    static LayoutPart name(Part part, int letters) { return number(part, letters >= 4 ? 4 : 3); }

    void literal(const QString& text) {
        if (!layout_.empty() && layout_.back().part == Part::Literal) {
            layout_.back().literal += text.toStdString();
            return;
        }
        LayoutPart p;
        p.literal = text.toStdString();
        layout_.push_back(p);
    }

    // A dropped time zone leaves its spacing and brackets behind ("H:mm:ss (t)").
    void trimZoneLeftovers() {
        for (LayoutPart& p : layout_) {
            if (p.part != Part::Literal) continue;
            std::string& s = p.literal;
            s.erase(std::remove(s.begin(), s.end(), '('), s.end());
            s.erase(std::remove(s.begin(), s.end(), ')'), s.end());
        }
        while (!layout_.empty() && layout_.back().part == Part::Literal &&
               trimBlanks(layout_.back().literal).empty())
            layout_.pop_back();
        while (!layout_.empty() && layout_.front().part == Part::Literal &&
               trimBlanks(layout_.front().literal).empty())
            layout_.erase(layout_.begin());
    }

    // Qt's 'h' counts 1..12 only where the form shows AM or PM.
    void markTwelveHour() {
        bool hasAmPm = std::any_of(layout_.begin(), layout_.end(),
                                   [](const LayoutPart& p) { return p.part == Part::AmPm; });
        for (LayoutPart& p : layout_)
            if (p.part == Part::Hour) p.twelveHour = p.twelveHour && hasAmPm;
    }

    QString f_;
    qsizetype i_ = 0;
    bool droppedZone_ = false;
    Layout layout_;
};

QLocale::FormatType formatType(bool longForm) {
    return longForm ? QLocale::LongFormat : QLocale::ShortFormat;
}

std::string text(const QString& s) {
    return s.toStdString();
}

}  // namespace

NameSet hostNames() {
    QLocale locale;
    NameSet names;
    for (int m = 1; m <= 12; ++m) {
        names.monthFull[static_cast<std::size_t>(m - 1)] =
            text(locale.monthName(m, QLocale::LongFormat));
        names.monthShort[static_cast<std::size_t>(m - 1)] =
            text(locale.monthName(m, QLocale::ShortFormat));
    }
    for (int d = 0; d < 7; ++d) {
        int qtDay = d == 0 ? 7 : d;  // Qt counts Monday as 1 and Sunday as 7
        names.dayFull[static_cast<std::size_t>(d)] =
            text(locale.dayName(qtDay, QLocale::LongFormat));
        names.dayShort[static_cast<std::size_t>(d)] =
            text(locale.dayName(qtDay, QLocale::ShortFormat));
    }
    names.am = text(locale.amText());
    names.pm = text(locale.pmText());
    return names;
}

Layout hostDateLayout(bool longForm) {
    return QtFormatReader(QLocale().dateFormat(formatType(longForm))).read();
}

Layout hostTimeLayout(bool longForm) {
    return QtFormatReader(QLocale().timeFormat(formatType(longForm))).read();
}

std::string hostDateFormat(bool longForm) {
    return text(QLocale().dateFormat(formatType(longForm)));
}

std::string hostTimeFormat(bool longForm) {
    QString f = QLocale().timeFormat(formatType(longForm));
    f.remove(QStringLiteral("(t)")).remove('t');
    return text(f.trimmed());
}

}  // namespace rt
