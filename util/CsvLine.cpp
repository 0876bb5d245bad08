#include "util/CsvLine.h"

void appendCsvLine(std::string& into, const std::vector<std::string_view>& values) {
    bool first = true;
    for (std::string_view value : values) {
        if (!first) into.push_back(',');
        first = false;
        into.push_back('"');
        for (char c : value) {
            if (c == '"') into.push_back('"');
            into.push_back(c);
        }
        into.push_back('"');
    }
    into += "\r\n";
}
