#pragma once
// The credential form's window declaration, bound to the thread's PAS buffer;
// its control numbers are in UpdatePassword.h.

namespace rt {
struct WindowDeclaration;
}

// The window "Password Form" (the form sets its caption by the request).
rt::WindowDeclaration UpdatePasswordWindow();
