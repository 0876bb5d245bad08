#include "tests/soak/SoakModel.h"

#include <sstream>

namespace soak {

namespace {

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, at)) parts.push_back(part);
    if (!text.empty() && text.back() == at) parts.emplace_back();
    return parts;
}

std::optional<int> number(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoi(text);
}

std::optional<Change> decodeOne(const std::string& token) {
    std::vector<std::string> p = split(token, ':');
    if (p.size() < 2 || p[0].size() != 1) return std::nullopt;
    Change c;
    c.kind = static_cast<Change::Kind>(p[0][0]);
    switch (c.kind) {
        case Change::Insert:
        case Change::Update: {
            auto id = number(p[1]);
            auto length = p.size() == 5 && !p[4].empty() ? number(p[4].substr(1)) : std::nullopt;
            if (!id || !length) return std::nullopt;
            c.id = *id;
            c.entry = Entry{p[2], p[3], p[4][0], *length};
            return c;
        }
        case Change::Delete: {
            auto id = number(p[1]);
            if (!id || p.size() != 2) return std::nullopt;
            c.id = *id;
            return c;
        }
        case Change::Company:
        case Change::Master:
        case Change::Index:
            if (p.size() != 2) return std::nullopt;
            c.text = p[1];
            return c;
    }
    return std::nullopt;
}

}  // namespace

std::string Entry::describe() const {
    return "'" + title + "'/'" + password + "'/" + noteLetter + " x " + std::to_string(noteLength);
}

std::string encode(const Change& c) {
    std::string kind(1, static_cast<char>(c.kind));
    switch (c.kind) {
        case Change::Insert:
        case Change::Update:
            return kind + ":" + std::to_string(c.id) + ":" + c.entry.title + ":" +
                   c.entry.password + ":" + c.entry.noteLetter + std::to_string(c.entry.noteLength);
        case Change::Delete:
            return kind + ":" + std::to_string(c.id);
        default:
            return kind + ":" + c.text;
    }
}

std::string encode(const Operation& op) {
    std::string out;
    for (const Change& c : op) out += (out.empty() ? "" : " ") + encode(c);
    return out;
}

std::optional<Operation> decode(const std::string& text) {
    Operation op;
    for (const std::string& token : split(text, ' ')) {
        std::optional<Change> c = decodeOne(token);
        if (!c) return std::nullopt;
        op.push_back(*c);
    }
    if (op.empty()) return std::nullopt;
    return op;
}

std::optional<FileState> applyOperation(const FileState& state, const Operation& op) {
    FileState next = state;
    for (const Change& c : op) {
        bool present = next.entries.count(c.id) != 0;
        switch (c.kind) {
            case Change::Insert:
                if (present) return std::nullopt;
                next.entries[c.id] = c.entry;
                break;
            case Change::Update:
                if (!present) return std::nullopt;
                next.entries[c.id] = c.entry;
                break;
            case Change::Delete:
                if (!present) return std::nullopt;
                next.entries.erase(c.id);
                break;
            case Change::Company:
                next.company = c.text;
                break;
            case Change::Master:
                next.master = c.text;
                break;
            case Change::Index:
                break;
        }
    }
    return next;
}

std::optional<std::string> newMaster(const Operation& op) {
    std::optional<std::string> master;
    for (const Change& c : op)
        if (c.kind == Change::Master) master = c.text;
    return master;
}

std::string describeDifference(const FileState& expected, const FileState& found) {
    std::ostringstream out;
    if (expected.company != found.company)
        out << " company '" << found.company << "' instead of '" << expected.company << "';";
    if (expected.master != found.master)
        out << " master password '" << found.master << "' instead of '" << expected.master << "';";
    for (const auto& [id, entry] : expected.entries) {
        auto it = found.entries.find(id);
        if (it == found.entries.end())
            out << " entry " << id << " missing;";
        else if (!(it->second == entry))
            out << " entry " << id << " holds " << it->second.describe() << " instead of "
                << entry.describe() << ";";
    }
    for (const auto& [id, entry] : found.entries)
        if (!expected.entries.count(id)) out << " entry " << id << " should not be there;";
    return out.str();
}

}  // namespace soak
