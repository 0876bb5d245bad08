// Settings files as found on disk: parsed, read, edited and written back.
// An edit must leave a text that reads back to the same value.
#include <cstdlib>

#include "runtime/host/IniDocument.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rt::IniDocument doc(fuzz::text(data, size));
    for (const std::string& section : doc.sections())
        for (const std::string& key : doc.keys(section)) doc.value(section, key);
    doc.setValue("Main", "SortHeader_8", "-PAS:LOCATION,PAS:TITLE");
    rt::IniDocument again(doc.text());
    auto value = again.value("Main", "SortHeader_8");
    if (!value || *value != "-PAS:LOCATION,PAS:TITLE") std::abort();
    again.removeSection("Preserved");
    return 0;
}
