#pragma once
// Formatting and reading for each picture family; Picture dispatches here.
// Internal to the runtime.

#include <optional>
#include <string>
#include <string_view>

#include "runtime/picture/PictureSpec.h"
#include "runtime/text/Value.h"

namespace rt {

std::string formatNumber(const NumberSpec& spec, double number);
std::optional<Value> deformatNumber(const NumberSpec& spec, std::string_view text);

std::string formatPattern(const PatternSpec& spec, double number);
std::optional<Value> deformatPattern(const PatternSpec& spec, std::string_view text);

std::string formatDate(const DateSpec& spec, long long serial);
std::optional<Value> deformatDate(const DateSpec& spec, std::string_view text);

std::string formatTime(const TimeSpec& spec, long long time);
std::optional<Value> deformatTime(const TimeSpec& spec, std::string_view text);

// The year a two-digit year stands for: the one within [currentYear -
// pastYears, currentYear + 99 - pastYears].
int resolveTwoDigitYear(int twoDigits, int currentYear, int pastYears);

}  // namespace rt
