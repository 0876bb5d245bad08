#pragma once
// The relation manager of the Passwords table. Owns the table's file manager,
// made before it and destroyed by Kill. Reached through Relate_Passwords. One
// thread.

#include <memory>

#include "app/Hide_Access_Passwords.h"
#include "data/RelationManager.h"

class Hide_Relate_Passwords : public RelationManager {
  public:
    explicit Hide_Relate_Passwords(std::unique_ptr<Hide_Access_Passwords> access);
    ~Hide_Relate_Passwords() override;

    // Initialises the file manager, then this with transaction framing on.
    void Init();
    void Kill() override;

  private:
    std::unique_ptr<Hide_Access_Passwords> access_;
};

// The calling thread's relation manager of the table, null when none.
extern thread_local RelationManager* Relate_Passwords;
