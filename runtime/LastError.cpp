#include "runtime/LastError.h"

namespace rt {

namespace {
thread_local LastError current;
}  // namespace

std::string errorText(int code) {
    return code == 0 ? std::string() : "Error " + std::to_string(code);
}

const LastError& lastError() {
    return current;
}

void setLastError(int code, std::string_view driverCode, std::string_view driverText) {
    current = LastError{code, errorText(code), std::string(driverCode), std::string(driverText)};
}

void clearLastError() {
    current = LastError{};
}

}  // namespace rt
