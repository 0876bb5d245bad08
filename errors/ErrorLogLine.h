#pragma once
// The line ErrorClass writes to its log for a shown message: the host's short
// date, "@", the host's long time, " --> ", then the message.

#include <string>
#include <string_view>

std::string ErrorLogLine(std::string_view text);
