#pragma once
// The per-thread last error of the runtime: the code and text of the latest
// runtime call, and the file driver's own code and text behind it (set with
// codes 90 and 100). Every file operation sets it, success included.

#include <string>
#include <string_view>

namespace rt {

struct LastError {
    int code = 0;            // 0 = no error
    std::string text;        // the runtime's text for code
    std::string driverCode;  // the driver's own code, as text
    std::string driverText;  // the driver's own text
};

const LastError& lastError();
void setLastError(int code, std::string_view driverCode = {}, std::string_view driverText = {});
void clearLastError();
// Sets the last error to code (clears it for 0) and answers code, so a call
// can end with `return finishWith(code);`.
int finishWith(int code);
// The runtime's standard text for an error code ("File Not Found" for 2 ...).
std::string errorText(int code);

}  // namespace rt
