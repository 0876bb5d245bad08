#include "window/Requests.h"

thread_local std::uint8_t GlobalRequest = 0;
thread_local std::uint8_t GlobalResponse = 0;
thread_local std::int32_t VCRRequest = VcrNone;
