#include "browse/SqlFilterRewrite.h"

namespace {

constexpr std::string_view kReplacement = " ''=SQL(";

// Where the "(" of an SQL call at `at` is, or npos when none starts there.
std::size_t callParen(const std::string& text, std::size_t at) {
    if (text.compare(at, 3, "SQL") != 0) return std::string::npos;
    if (at > 0 && std::string_view(" |(~").find(text[at - 1]) == std::string_view::npos)
        return std::string::npos;
    std::size_t p = at + 3;
    while (p < text.size() && text[p] == ' ') ++p;
    return p < text.size() && text[p] == '(' ? p : std::string::npos;
}

}  // namespace

std::string RewriteSqlFilter(std::string_view filter) {
    std::string text(filter);
    std::size_t pos = 0;
    while (pos + 4 <= text.size()) {
        std::size_t at = pos, paren = std::string::npos;
        for (; at + 4 <= text.size(); ++at)
            if ((paren = callParen(text, at)) != std::string::npos) break;
        if (paren == std::string::npos) break;
        text.replace(at, paren - at + 1, kReplacement);
        pos = at + kReplacement.size();
    }
    return text;
}
