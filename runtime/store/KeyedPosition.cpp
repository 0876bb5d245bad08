#include "runtime/store/KeyedPosition.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

// Format: one item per value, then the row id as an integer item, then
// the stamp when there is one.
//   i<digits>;   an integer      r<%.17g>;   a real      s<bytes>:<text>   a text
//   h<hex>;      the stamp
void writeValue(std::string& out, const SqlValue& v) {
    if (auto* i = std::get_if<std::int64_t>(&v)) {
        out += "i" + std::to_string(*i) + ";";
    } else if (auto* d = std::get_if<double>(&v)) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "r%.17g;", *d);
        out += buf;
    } else {
        const auto& s = std::get<std::string>(v);
        out += "s" + std::to_string(s.size()) + ":" + s;
    }
}

template <typename T>
bool readNumber(std::string_view& in, T& out, char end) {
    auto stop = in.find(end);
    if (stop == std::string_view::npos) return false;
    std::string part(in.substr(0, stop));
    char* tail = nullptr;
    if constexpr (std::is_same_v<T, double>)
        out = std::strtod(part.c_str(), &tail);
    else
        out = static_cast<T>(std::strtoll(part.c_str(), &tail, 10));
    if (part.empty() || *tail) return false;
    in.remove_prefix(stop + 1);
    return true;
}

bool readValue(std::string_view& in, SqlValue& out) {
    char kind = in.front();
    in.remove_prefix(1);
    if (kind == 'i') {
        std::int64_t i;
        if (!readNumber(in, i, ';')) return false;
        out = i;
    } else if (kind == 'r') {
        double d;
        if (!readNumber(in, d, ';')) return false;
        out = d;
    } else if (kind == 's') {
        std::size_t size;
        if (!readNumber(in, size, ':') || size > in.size()) return false;
        out = std::string(in.substr(0, size));
        in.remove_prefix(size);
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string KeyedPosition::text() const {
    std::string out;
    for (const auto& v : values) writeValue(out, v);
    writeValue(out, SqlValue(rowid));
    if (stamp != 0) {
        char buf[20];
        std::snprintf(buf, sizeof buf, "h%llx;", static_cast<unsigned long long>(stamp));
        out += buf;
    }
    return out;
}

std::optional<KeyedPosition> KeyedPosition::parse(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::uint64_t stamp = 0;
    if (auto h = text.rfind('h'); h != std::string_view::npos && text.back() == ';' &&
                                  h + 2 < text.size() && (h == 0 || text[h - 1] == ';')) {
        std::string digits(text.substr(h + 1, text.size() - h - 2));
        char* tail = nullptr;
        stamp = std::strtoull(digits.c_str(), &tail, 16);
        if (*tail == 0 && digits.find_first_not_of("0123456789abcdef") == std::string::npos)
            text = text.substr(0, h);
        else
            stamp = 0;
    }
    std::vector<SqlValue> items;
    while (!text.empty()) {
        SqlValue v;
        if (!readValue(text, v)) return std::nullopt;
        items.push_back(std::move(v));
    }
    if (items.empty() || !std::holds_alternative<std::int64_t>(items.back())) return std::nullopt;
    KeyedPosition pos;
    pos.rowid = std::get<std::int64_t>(items.back());
    items.pop_back();
    pos.values = std::move(items);
    pos.stamp = stamp;
    return pos;
}

bool KeyedPosition::samePlace(std::string_view a, std::string_view b) {
    auto pa = parse(a), pb = parse(b);
    if (!pa || !pb) return a == b;
    return pa->rowid == pb->rowid && pa->values == pb->values;
}

}  // namespace rt
