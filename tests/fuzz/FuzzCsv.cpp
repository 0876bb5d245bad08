// CSV files to import, as found on disk: every record is read within the
// reader's limits, lines only go forward, and a record read without a
// problem, written again, reads back to the same values.
#include <cstdlib>
#include <sstream>

#include "tests/fuzz/FuzzTarget.h"
#include "util/CsvLine.h"
#include "util/CsvReader.h"

namespace {

// Small, so that inputs of a few kilobytes reach them.
constexpr CsvLimits kLimits{512, 8};

void check(bool holds) {
    if (!holds) std::abort();
}

void readsBackTheSame(const CsvRecord& record) {
    std::string text;
    appendCsvLine(text, {record.values.begin(), record.values.end()});
    std::istringstream in(text);
    CsvReader reader(in, {text.size() + 1, kLimits.columns});
    CsvRecord again;
    check(reader.next(again));
    check(again.problem == CsvRecord::Problem::None);
    check(again.values == record.values);
    check(!reader.next(again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in{std::string(fuzz::text(data, size))};
    CsvReader reader(in, kLimits);
    CsvRecord record;
    long lastLine = 0;
    while (reader.next(record)) {
        check(record.line > lastLine);
        lastLine = record.line;
        check(record.values.size() <= kLimits.columns);
        check(record.values.size() <= record.columns);
        std::size_t bytes = 0;
        for (const std::string& value : record.values) bytes += value.size();
        check(bytes <= kLimits.recordBytes);
        if (record.problem == CsvRecord::Problem::None) {
            check(record.values.size() == record.columns);
            for (const std::string& value : record.values) check(utf8Valid(value));
            readsBackTheSame(record);
        }
    }
    check(!reader.failed());
    return 0;
}
