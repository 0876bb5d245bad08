#include "errors/ErrorLogLine.h"

#include "runtime/text/Date.h"
#include "runtime/picture/Picture.h"
#include "runtime/text/Value.h"

std::string ErrorLogLine(std::string_view text) {
    std::string line = rt::format(rt::Value(rt::today()), "D17");
    line += "@";
    line += rt::format(rt::Value(rt::clockNow()), "T8");
    line += " --> ";
    line += text;
    return line;
}
