#include "app/UpdatePassword.h"

#include "window/Requests.h"

// Interim: the credential form replaces this with the real form.
void UpdatePassword() {
    GlobalResponse = ResponseCancelled;
}
