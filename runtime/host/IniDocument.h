#pragma once
// The text of one INI file held as lines, for reading values and for edits
// that leave every line they do not touch byte-for-byte as it was. Owns its
// text; no I/O. Not thread-safe: one caller at a time.
//
// Reading rules: a line whose first non-blank character is "[" opens a
// section named by the text up to "]"; ";" and "#" start comments; other lines
// are "key = value" split at the first "=". Names and values are trimmed of
// blanks; names compare without regard to case. When a section or a key of a
// section appears twice, the first one counts. Lines before the first section
// and lines without "=" are kept but hold no value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view bytes);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Section names as first spelled, in file order, each name once.
    std::vector<std::string> sections() const;
    // The keys of the first section so named, in order, each name once.
    std::vector<std::string> keys(std::string_view section) const;
    bool hasSection(std::string_view section) const;

    // Replaces the key's first line or appends the key at the end of its
    // section; a missing section is appended at the end of the text. Answers
    // whether the text changed.
    // REQUIRES: validName(section), validName(key), validValue(value).
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    // Appends an empty section unless one is so named.
    // REQUIRES: validName(section).
    bool addSection(std::string_view section);
    // Removes every line of key in the first section so named.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes every section so named with all its lines.
    bool removeSection(std::string_view section);

    std::string text() const;

    // What can be written without breaking the file's structure: names that
    // are not blank and hold no line break, NUL, "]" or "="; values with no
    // line break or NUL.
    static bool validName(std::string_view name);
    static bool validValue(std::string_view value);

  private:
    enum class Kind { Blank, Comment, Other, Section, Key };
    struct Line {
        std::string raw;  // as in the file, line end included
        Kind kind = Kind::Other;
        std::string name;    // as spelled, trimmed
        std::string folded;  // name, case folded
        std::string value;
    };
    // The lines [begin, end) of a section: its header and what follows it
    // up to the next header.
    struct Range {
        std::size_t begin;
        std::size_t end;
    };

    static Line parse(std::string raw, bool first);
    std::optional<Range> findSection(std::string_view folded) const;
    std::optional<std::size_t> findKey(const Range& range, std::string_view folded) const;
    void ensureFinalLineEnd();
    std::string keyLine(std::string_view key, std::string_view value) const;

    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
};

// Case folding used for section, key and registry names.
std::string foldName(std::string_view name);

}  // namespace rt
