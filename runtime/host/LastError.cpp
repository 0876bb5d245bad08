#include "runtime/host/LastError.h"

#include <array>
#include <utility>

namespace rt {

namespace {

thread_local LastError current;

// The runtime's error codes and their texts; codes are never renumbered.
constexpr std::array<std::pair<int, const char*>, 24> kErrorTexts{{
    {2, "File Not Found"},
    {3, "Path Not Found"},
    {4, "Too Many Open Files"},
    {5, "Access Denied"},
    {8, "Insufficient Memory"},
    {30, "Entry Not Found"},
    {32, "File Is Already Locked"},
    {33, "Record Not Available"},
    {35, "Record Not Found"},
    {36, "Invalid Data File"},
    {37, "File Not Open"},
    {38, "Invalid Key Length"},
    {40, "Creates Duplicate Key"},
    {43, "Record Is Already Held"},
    {46, "Key File Must Be Rebuilt"},
    {47, "Invalid Record Declaration"},
    {48, "Unable To Log Transaction"},
    {52, "File Already Open"},
    {56, "LOGOUT Already Active"},
    {57, "Invalid Memo File"},
    {75, "Invalid Field Type Descriptor"},
    {80, "Function Not Supported"},
    {89, "Record Changed By Another Station"},
    {90, "File System Error"},
}};

}  // namespace

std::string errorText(int code) {
    if (code == 0) return {};
    for (const auto& [c, text] : kErrorTexts)
        if (c == code) return text;
    return "Unknown Error " + std::to_string(code);
}

const LastError& lastError() {
    return current;
}

void setLastError(int code, std::string_view driverCode, std::string_view driverText) {
    current.code = code;
    current.text = errorText(code);
    current.driverCode = std::string(driverCode);
    current.driverText = std::string(driverText);
}

void clearLastError() {
    current = LastError{};
}

int finishWith(int code) {
    if (code == 0)
        clearLastError();
    else
        setLastError(code);
    return code;
}

}  // namespace rt
