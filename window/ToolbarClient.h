#pragma once
// What a part of a window implements to own the toolbar for a while (a
// browse, a form). The toolbar borrows its clients; each must outlive its
// registration.

#include <cstdint>

class WindowManager;

class ToolbarClient {
  public:
    virtual ~ToolbarClient() = default;

    // The operations in their slot order.
    // Shows and enables the toolbar buttons that apply to this client.
    virtual void DisplayButtons() = 0;
    // Becomes the active owner of the toolbar.
    virtual void Activate() = 0;
    // True when this client can take the toolbar now (its control has focus).
    virtual bool CanActivate() = 0;
    // A navigation request the toolbar passed on.
    virtual void TakeEvent(std::int32_t& request, WindowManager& window) = 0;
};
