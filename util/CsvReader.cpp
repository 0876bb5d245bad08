#include "util/CsvReader.h"

#include <cstring>

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

// Continuation bytes are 10xxxxxx.
bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts and the smallest code point
// that length may carry; 0 for bytes that start none.
std::size_t sequenceLength(unsigned char lead, char32_t& smallest) {
    if (lead < 0x80) return smallest = 0, 1;
    if ((lead & 0xE0) == 0xC0) return smallest = 0x80, 2;
    if ((lead & 0xF0) == 0xE0) return smallest = 0x800, 3;
    if ((lead & 0xF8) == 0xF0) return smallest = 0x10000, 4;
    return 0;
}

}  // namespace

bool utf8Valid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t smallest = 0;
        const std::size_t length = sequenceLength(lead, smallest);
        if (length == 0 || i + length > text.size()) return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (!continuation(c)) return false;
            code = (code << 6) | (c & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string_view csvProblemText(CsvRecord::Problem problem) {
    switch (problem) {
        case CsvRecord::Problem::None:
            return "no problem";
        case CsvRecord::Problem::UnclosedQuote:
            return "a quoted value that starts here is not closed before the end of the file";
        case CsvRecord::Problem::TextAfterQuote:
            return "a closing quote is followed by more than a comma or the end of the line";
        case CsvRecord::Problem::QuoteInValue:
            return "a quote inside a value that does not start with one";
        case CsvRecord::Problem::InvalidUtf8:
            return "the text is not valid UTF-8";
        case CsvRecord::Problem::TooLong:
            return "the row is longer than any entry can be";
        case CsvRecord::Problem::TooManyColumns:
            return "the row has more columns than are read";
    }
    return "unknown problem";
}

CsvReader::CsvReader(std::istream& in, CsvLimits limits)
    : in_(in), limits_(limits), buffer_(kBufferBytes) {}

int CsvReader::peek(std::size_t ahead) {
    while (end_ - pos_ <= ahead) {
        // Invariant: the bytes not yet taken are kept at the buffer's front,
        // so a look-ahead never needs more than the buffer holds.
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        if (!in_.good()) return -1;
        in_.read(buffer_.data() + end_, static_cast<std::streamsize>(buffer_.size() - end_));
        const auto got = static_cast<std::size_t>(in_.gcount());
        if (in_.bad()) failed_ = true;
        if (got == 0) return -1;
        end_ += got;
    }
    return static_cast<unsigned char>(buffer_[pos_ + ahead]);
}

// A lone CR at the very end of the input ends the line too.
bool CsvReader::atLineEnd() {
    const int c = peek();
    if (c == '\n') return true;
    if (c != '\r') return false;
    const int after = peek(1);
    return after == '\n' || after < 0;
}

void CsvReader::skipLineEnd() {
    skip(peek() == '\r' && peek(1) == '\n' ? 2 : 1);
    ++line_;
}

bool CsvReader::next(CsvRecord& record) {
    record.values.clear();
    record.columns = 0;
    record.problem = CsvRecord::Problem::None;
    recordBytes_ = 0;
    if (!started_) {
        started_ = true;
        if (peek(0) == 0xEF && peek(1) == 0xBB && peek(2) == 0xBF) skip(3);
    }
    while (atLineEnd()) skipLineEnd();
    if (peek() < 0 || failed_) return false;
    record.line = line_;
    std::string value;
    for (;;) {
        value.clear();
        if (peek() == '"') {
            skip();
            readQuoted(value, record);
            if (peek() >= 0 && peek() != ',' && !atLineEnd())
                note(record, CsvRecord::Problem::TextAfterQuote);
        }
        readPlain(value, record);
        endValue(value, record);
        if (peek() == ',') {
            skip();
        } else {
            if (atLineEnd()) skipLineEnd();
            return !failed_;
        }
    }
}

void CsvReader::readQuoted(std::string& value, CsvRecord& record) {
    for (;;) {
        const int c = peek();
        if (c < 0) return note(record, CsvRecord::Problem::UnclosedQuote);
        skip();
        if (c == '"') {
            if (peek() != '"') return;
            skip();
        } else if (c == '\n') {
            ++line_;
        }
        keep(value, static_cast<char>(c), record);
    }
}

void CsvReader::readPlain(std::string& value, CsvRecord& record) {
    for (int c = peek(); c >= 0 && c != ',' && !atLineEnd(); c = peek()) {
        if (c == '"') note(record, CsvRecord::Problem::QuoteInValue);
        keep(value, static_cast<char>(c), record);
        skip();
    }
}

void CsvReader::keep(std::string& value, char c, CsvRecord& record) {
    if (record.problem == CsvRecord::Problem::TooLong) return;
    if (++recordBytes_ > limits_.recordBytes) {
        note(record, CsvRecord::Problem::TooLong);
        value.clear();
        value.shrink_to_fit();
        record.values.clear();
        record.values.shrink_to_fit();
        return;
    }
    value.push_back(c);
}

void CsvReader::endValue(std::string& value, CsvRecord& record) {
    ++record.columns;
    if (record.problem == CsvRecord::Problem::TooLong) return;
    if (!utf8Valid(value)) note(record, CsvRecord::Problem::InvalidUtf8);
    if (record.values.size() < limits_.columns)
        record.values.push_back(value);
    else
        note(record, CsvRecord::Problem::TooManyColumns);
}

void CsvReader::note(CsvRecord& record, CsvRecord::Problem problem) {
    if (problem == CsvRecord::Problem::TooLong || record.problem == CsvRecord::Problem::None)
        record.problem = problem;
}
