#pragma once
// What the program learns about its host (environment copies, user,
// computer, operating system) and how it hands a location to the desktop.
// Writes the process-wide ENV and GLO; the program's one thread.

#include <string>
#include <string_view>

// The variable's value without trailing spaces; "" when it is unset or
// longer than 199 characters.
std::string GetEnv(std::string_view Str);
// Opens the location (trailing spaces removed) with the desktop's default
// program. Failures are silent, as are blank and malformed locations.
// windowHandle is unused: the desktop places what it opens by itself.
void URLHandler(const void* windowHandle, std::string_view URL);
// Fills every ENV copy, in the order EnvironmentCopies::Slots() gives.
void ReadEnvironment();
// ReadEnvironment, then GLO.User ("Invalid User" when the name cannot be
// read or does not fit 40 bytes), GLO.ComputerName and GLO.OS.
void ReadHostFacts();
