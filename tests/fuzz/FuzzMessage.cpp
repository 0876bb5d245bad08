// Error message templates with their placeholders: the first line is the
// template, the rest a context value that may hold placeholders itself.
#include <algorithm>
#include <cstdlib>

#include "errors/MessageSubstitution.h"
#include "runtime/text/FixedText.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [message, value] = fuzz::split(fuzz::text(data, size));
    for (const char* placeholder : {"%File", "%FileName", "%ErrorText", "%Message", "%Field"}) {
        std::string out = ReplacePlaceholder(std::string(message), placeholder, value);
        // A replacement never grows the text past the capacity, which
        // counts characters, not bytes.
        if (rt::utf8Length(out) > std::max(kSubstitutionCapacity, rt::utf8Length(message)))
            std::abort();
    }
    return 0;
}
