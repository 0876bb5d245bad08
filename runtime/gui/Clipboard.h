#pragma once
// The desktop clipboard's text. GUI thread only.

#include <string>

namespace rt {

std::string clipboardText();
void setClipboardText(const std::string& text);

}  // namespace rt
