#pragma once
// A runtime value as expressions, bindings and field references exchange it:
// a number or a text, converted on demand the way the runtime converts.
// Copyable value type.

#include <string>
#include <string_view>
#include <variant>

namespace rt {

class Value {
  public:
    Value() : v_(0.0) {}
    Value(double number) : v_(number) {}
    Value(int number) : v_(static_cast<double>(number)) {}
    Value(long long number) : v_(static_cast<double>(number)) {}
    Value(std::string text) : v_(std::move(text)) {}
    Value(std::string_view text) : v_(std::string(text)) {}
    Value(const char* text) : v_(std::string(text)) {}

    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isNumber() const { return !isText(); }

    // A text converts by its leading number (after spaces); text that holds
    // no number converts to 0.
    double number() const;
    // Numbers print without a fractional part when they are whole.
    std::string text() const;
    // Non-zero numbers and non-blank texts are true.
    bool truthy() const;
    // True when a text holds exactly one number, spaces around it allowed.
    bool isNumeric() const;

  private:
    std::variant<double, std::string> v_;
};

// Two numbers compare as numbers, and so do a number and a numeric text;
// anything else compares as text with trailing spaces ignored. Answers
// -1, 0 or 1.
int compareValues(const Value& a, const Value& b);

// Parses a whole text as one number; false when it is not exactly one.
bool parseNumber(std::string_view text, double& out);
std::string formatNumber(double number);

}  // namespace rt
