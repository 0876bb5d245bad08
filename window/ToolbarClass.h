#pragma once
// Routes the toolbar's button presses to whichever client currently owns
// the toolbar. Owns its client list; borrows the clients, which must outlive
// their registration. GUI thread only, like the window it belongs to.

#include <cstdint>
#include <memory>
#include <vector>

#include "window/ToolbarClient.h"

class WindowManager;

// The toolbar's history (ditto) button.
constexpr int ToolbarHistoryButton = 3012;

class ToolbarClass {
  public:
    struct ClientEntry {
        std::int32_t Id = 0;
        ToolbarClient* Item = nullptr;
    };

    ToolbarClass() = default;
    virtual ~ToolbarClass();
    ToolbarClass(const ToolbarClass&) = delete;
    ToolbarClass& operator=(const ToolbarClass&) = delete;

    // The operations in their slot order.
    // REQUIRES: a current client (else an assertion).
    virtual void DisplayButtons();
    virtual void Kill();
    virtual void TakeEvent(std::int32_t& request, WindowManager& window);

    void Init();
    // Registers a client under id; a second registration of an id replaces it.
    void AddTarget(ToolbarClient& client, std::int32_t id);
    // id: make that client current and activate it. 0: the last client that
    // can activate becomes current, without being activated.
    void SetTarget(std::int32_t id = 0);
    // The current client's id, 0 when none.
    std::int32_t CurrentId() const;

    std::unique_ptr<std::vector<ClientEntry>> List;

  private:
    bool hasList(const char* operation) const;
    int current_ = -1;  // index into List
};
