#include "errors/ErrorLogLine.h"

#include "runtime/Date.h"
#include "runtime/Picture.h"
#include "runtime/Value.h"

std::string ErrorLogLine(std::string_view text) {
    std::string line = rt::format(rt::Value(rt::today()), "D17");
    line += "@";
    line += rt::format(rt::Value(rt::clockNow()), "T8");
    line += " --> ";
    line += text;
    return line;
}
