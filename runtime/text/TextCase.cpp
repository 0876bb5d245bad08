#include "runtime/text/TextCase.h"

#include <QString>
#include <algorithm>

namespace rt {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ASCII text folds the same through the toolkit and through this loop; the
// loop spares the conversion for the common case (driver functions run per
// row and per index entry).
std::string foldAscii(std::string_view text, char from, char to, int shift) {
    std::string out(text);
    for (char& c : out)
        if (c >= from && c <= to) c = static_cast<char>(c + shift);
    return out;
}

std::string toUtf8(const QString& s) {
    QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string upper(std::string_view text) {
    if (isAscii(text)) return foldAscii(text, 'a', 'z', 'A' - 'a');
    return toUtf8(fromUtf8(text).toUpper());
}

std::string lower(std::string_view text) {
    if (isAscii(text)) return foldAscii(text, 'A', 'Z', 'a' - 'A');
    return toUtf8(fromUtf8(text).toLower());
}

}  // namespace rt
