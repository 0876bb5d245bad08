#pragma once
// The file manager of the System table: initialised on the thread's SYS,
// reporting through GlobalErrors, with its keys registered lazily on the
// first use of the table. Reached through Access_System. One thread.

#include "data/FileManager.h"

class Hide_Access_System : public FileManager {
  public:
    using FileManager::Init;
    void Init() override;
    ErrorLevel UseFile(int useType = 2) override;
    void Kill() override;
};

// The calling thread's manager of the table, null outside Init..Kill.
extern thread_local FileManager* Access_System;
