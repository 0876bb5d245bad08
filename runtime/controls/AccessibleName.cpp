#include "runtime/controls/AccessibleName.h"

#include <QString>
#include <algorithm>

namespace rt {

namespace {

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

// Punctuation alone ("...") says nothing to a listener.
bool hasWords(const std::string& text) {
    QString q = QString::fromStdString(text);
    return std::any_of(q.begin(), q.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

}  // namespace

std::string withoutMnemonic(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The mark is dropped and the character after it kept as it is.
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

std::string accessibleNameFrom(const std::string& prompt, const std::string& label,
                               const std::string& tip) {
    for (const std::string& text : {withoutMnemonic(prompt), withoutMnemonic(label), tip})
        if (hasWords(text)) return trimmed(text);
    return {};
}

}  // namespace rt
