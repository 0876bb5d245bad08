#pragma once
// The relation manager of the System table. Owns the table's file manager,
// made before it and destroyed by Kill. Reached through Relate_System. One
// thread.

#include <memory>

#include "app/Hide_Access_System.h"
#include "data/RelationManager.h"

class Hide_Relate_System : public RelationManager {
  public:
    explicit Hide_Relate_System(std::unique_ptr<Hide_Access_System> access);
    ~Hide_Relate_System() override;

    // Initialises the file manager, then this with transaction framing on.
    void Init();
    void Kill() override;

  private:
    std::unique_ptr<Hide_Access_System> access_;
};

// The calling thread's relation manager of the table, null when none.
extern thread_local RelationManager* Relate_System;
