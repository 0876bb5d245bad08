#pragma once
// Reads a picture string into a Picture, or says what is wrong with it.
// Internal to the runtime; stateless.

#include <optional>
#include <string>
#include <string_view>

#include "runtime/picture/Picture.h"

namespace rt {

struct PictureCompiler {
    struct Result {
        std::optional<Picture> picture;
        std::string error;  // set when picture is not
    };
    static Result compile(std::string_view text);

  private:
    using Spec = Picture::Spec;
    struct Parsed {
        Spec spec;
        std::string error;
    };
    static Parsed parse(std::string_view text);
    static Parsed text(std::string_view body);
    static Parsed number(std::string_view body);
    static Parsed date(std::string_view body);
    static Parsed time(std::string_view body);
    static Parsed pattern(std::string_view whole);
};

}  // namespace rt
