// Display pictures: the first line is a picture, the rest a text typed into
// an entry that shows it. Numbers, dates, times and texts are formatted with
// it and the text is read back.
#include "runtime/picture/Picture.h"
#include "runtime/text/Value.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [picture, typed] = fuzz::split(fuzz::text(data, size));
    if (!rt::isValidPicture(picture)) {
        rt::pictureError(picture);
        return 0;
    }
    for (const rt::Value& v : {rt::Value(0), rt::Value(-1234567), rt::Value(80000), rt::Value(3.25),
                               rt::Value(std::string(typed))})
        rt::format(v, picture);
    if (auto back = rt::deformat(typed, picture)) rt::format(*back, picture);
    return 0;
}
