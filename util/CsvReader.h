#pragma once
// Reads comma-separated records (RFC 4180) of UTF-8 text from a stream, one
// record at a time, in memory bounded by its limits whatever the input.
// Quoted values hold commas, doubled quotes and line ends (LF or CRLF, kept
// as they are); records end with LF or CRLF; a byte-order mark at the very
// start is skipped; empty lines are no records. A record that breaks a rule
// or a limit still comes back, with its problem, so the caller can name its
// line and go on with the next. Borrows the stream, which must outlive the
// reader; one thread.

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
    enum class Problem {
        None,
        UnclosedQuote,   // a quoted value runs to the end of the input
        TextAfterQuote,  // a closing quote is followed by more than a comma or line end
        QuoteInValue,    // a quote inside a value that does not start with one
        InvalidUtf8,     // a value is not UTF-8 text
        TooLong,         // more bytes than the limit: no values are kept
        TooManyColumns,  // more values than the limit: the first ones are kept
    };

    std::vector<std::string> values;
    std::size_t columns = 0;          // values on the record, dropped ones counted
    long line = 0;                    // the line it starts on, from 1
    Problem problem = Problem::None;  // the first found; TooLong wins over the rest
};

struct CsvLimits {
    std::size_t recordBytes = 1 << 20;  // the values' bytes together
    std::size_t columns = 256;
};

class CsvReader {
  public:
    explicit CsvReader(std::istream& in, CsvLimits limits = {});
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // The next record; false at the end of the input or when reading fails.
    bool next(CsvRecord& record);
    // True when the stream failed for another reason than its end.
    bool failed() const { return failed_; }

  private:
    // The byte `ahead` places on, or -1 past the end; reads more as needed.
    int peek(std::size_t ahead = 0);
    void skip(std::size_t count = 1) { pos_ += count; }
    bool atLineEnd();
    void skipLineEnd();
    void readQuoted(std::string& value, CsvRecord& record);
    void readPlain(std::string& value, CsvRecord& record);
    void keep(std::string& value, char c, CsvRecord& record);
    void endValue(std::string& value, CsvRecord& record);
    void note(CsvRecord& record, CsvRecord::Problem problem);

    std::istream& in_;
    const CsvLimits limits_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t recordBytes_ = 0;
    long line_ = 1;
    bool started_ = false;
    bool failed_ = false;
};

// A sentence for a problem, to follow "line N: ".
std::string_view csvProblemText(CsvRecord::Problem problem);

// True when text is well-formed UTF-8: no overlong forms, surrogates or
// code points past U+10FFFF.
bool utf8Valid(std::string_view text);
