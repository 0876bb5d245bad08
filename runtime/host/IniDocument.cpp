#include "runtime/host/IniDocument.h"

#include <QString>
#include <algorithm>
#include <unordered_set>

namespace rt {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
    std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

std::string_view withoutLineEnd(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    return raw;
}

std::string_view lineEndOf(std::string_view raw) {
    return raw.substr(withoutLineEnd(raw).size());
}

}  // namespace

std::string foldName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
        .toUpper()
        .toStdString();
}

IniDocument::IniDocument(std::string_view bytes) {
    std::size_t firstBreak = bytes.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && bytes[firstBreak - 1] == '\r') {
        lineEnd_ = "\r\n";
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        lines_.push_back(parse(std::string(bytes.substr(start, end - start)), start == 0));
        start = end;
    }
}

IniDocument::Line IniDocument::parse(std::string raw, bool first) {
    Line line;
    std::string_view text = withoutLineEnd(raw);
    if (first && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    text = trim(text);
    std::size_t equals = text.find('=');
    if (text.empty()) {
        line.kind = Kind::Blank;
    } else if (text.front() == ';' || text.front() == '#') {
        line.kind = Kind::Comment;
    } else if (text.front() == '[') {
        line.kind = Kind::Section;
        line.name = trim(text.substr(1, text.find(']') - 1));
    } else if (equals != std::string_view::npos && !trim(text.substr(0, equals)).empty()) {
        line.kind = Kind::Key;
        line.name = trim(text.substr(0, equals));
        line.value = trim(text.substr(equals + 1));
    }
    line.folded = foldName(line.name);
    line.raw = std::move(raw);
    return line;
}

std::optional<IniDocument::Range> IniDocument::findSection(std::string_view folded) const {
    auto isHeader = [](const Line& l) { return l.kind == Kind::Section; };
    auto begin = std::find_if(lines_.begin(), lines_.end(),
                              [&](const Line& l) { return isHeader(l) && l.folded == folded; });
    if (begin == lines_.end()) return std::nullopt;
    auto end = std::find_if(begin + 1, lines_.end(), isHeader);
    return Range{static_cast<std::size_t>(begin - lines_.begin()),
                 static_cast<std::size_t>(end - lines_.begin())};
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::string_view folded) const {
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        if (lines_[i].kind == Kind::Key && lines_[i].folded == folded) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    auto range = findSection(foldName(trim(section)));
    if (!range) return std::nullopt;
    auto line = findKey(*range, foldName(trim(key)));
    if (!line) return std::nullopt;
    return lines_[*line].value;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(foldName(trim(section))).has_value();
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section && seen.insert(line.folded).second)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    auto range = findSection(foldName(trim(section)));
    if (!range) return names;
    std::unordered_set<std::string> seen;
    for (std::size_t i = range->begin + 1; i < range->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && seen.insert(line.folded).second) names.push_back(line.name);
    }
    return names;
}

bool IniDocument::addSection(std::string_view section) {
    section = trim(section);
    if (findSection(foldName(section))) return false;
    ensureFinalLineEnd();
    lines_.push_back(parse("[" + std::string(section) + "]" + lineEnd_, lines_.empty()));
    return true;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    auto range = findSection(foldName(section));
    if (!range) {
        addSection(section);
        lines_.push_back(parse(keyLine(key, value), false));
        return true;
    }
    if (auto found = findKey(*range, foldName(key))) {
        Line& line = lines_[*found];
        // Keep the line's own spelling and spacing up to where the value starts.
        std::string_view raw = line.raw;
        std::size_t valueStart = raw.find_first_not_of(kBlanks, raw.find('=') + 1);
        valueStart = std::min(valueStart, withoutLineEnd(raw).size());
        std::string replaced = std::string(raw.substr(0, valueStart)) + std::string(value) +
                               std::string(lineEndOf(raw));
        if (replaced == line.raw) return false;
        line = parse(std::move(replaced), *found == 0);
        return true;
    }
    std::size_t at = range->begin + 1;
    for (std::size_t i = range->begin + 1; i < range->end; ++i) {
        if (lines_[i].kind == Kind::Key || lines_[i].kind == Kind::Other) at = i + 1;
    }
    if (at == lines_.size()) ensureFinalLineEnd();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  parse(keyLine(key, value), false));
    return true;
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    auto range = findSection(foldName(trim(section)));
    if (!range) return false;
    std::string folded = foldName(trim(key));
    auto first = lines_.begin() + static_cast<std::ptrdiff_t>(range->begin + 1);
    auto last = lines_.begin() + static_cast<std::ptrdiff_t>(range->end);
    auto kept = std::remove_if(first, last, [&](const Line& line) {
        return line.kind == Kind::Key && line.folded == folded;
    });
    if (kept == last) return false;
    lines_.erase(kept, last);
    return true;
}

bool IniDocument::removeSection(std::string_view section) {
    std::string folded = foldName(trim(section));
    bool changed = false;
    while (auto range = findSection(folded)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->begin),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
        changed = true;
    }
    return changed;
}

std::string IniDocument::text() const {
    std::string bytes;
    for (const Line& line : lines_) bytes += line.raw;
    return bytes;
}

void IniDocument::ensureFinalLineEnd() {
    if (!lines_.empty() && !lines_.back().raw.ends_with('\n')) lines_.back().raw += lineEnd_;
}

std::string IniDocument::keyLine(std::string_view key, std::string_view value) const {
    return std::string(key) + "=" + std::string(value) + lineEnd_;
}

bool IniDocument::validName(std::string_view name) {
    name = trim(name);
    if (name.empty() || name.front() == '[' || name.front() == ';' || name.front() == '#')
        return false;
    return name.find_first_of(std::string_view("\r\n\0]=", 5)) == std::string_view::npos;
}

bool IniDocument::validValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace rt
