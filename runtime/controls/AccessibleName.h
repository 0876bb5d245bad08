#pragma once
// The name a screen reader gives a control, made from the texts a person
// sees: a prompt's or button's text read without its mnemonic marks, or the
// tip when the control shows no words of its own. Plain functions.

#include <string>

namespace rt {

// The text as read aloud: "&Save" -> "Save", "Fish && Chips" -> "Fish & Chips".
std::string withoutMnemonic(const std::string& text);

// The first of prompt, label (both read without mnemonics) and tip that
// holds a letter or digit, trimmed; empty when none does.
std::string accessibleNameFrom(const std::string& prompt, const std::string& label,
                               const std::string& tip);

}  // namespace rt
