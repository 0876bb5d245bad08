#pragma once
// The about window: the program's name, who provides it, its logo and an
// e-mail line that opens a new message in the desktop's mail program.
// One thread.

// The address the e-mail line opens.
inline constexpr const char* kAboutMailto = "mailto:support@lockora.invalid";

// Control numbers of the about window that code and tests address.
namespace AboutControl {
enum : int {
    LogoImage = 4,
    CloseButton = 8,
    EmailString = 9,
};
}  // namespace AboutControl

void AboutWindow();
