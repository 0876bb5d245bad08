// List format strings: the columns of a list control.
#include "runtime/controls/ListFormat.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rt::ListFormat::parse(fuzz::text(data, size));
    return 0;
}
