#pragma once
// The file manager of the Passwords table: initialised on the thread's PAS,
// reporting through GlobalErrors, with its keys registered lazily on the
// first use of the table. Reached through Access_Passwords. One thread.

#include "data/FileManager.h"

class Hide_Access_Passwords : public FileManager {
  public:
    using FileManager::Init;
    void Init() override;
    ErrorLevel UseFile(int useType = 2) override;
    void BindFields() override;
    void Kill() override;
};

// The calling thread's manager of the table, null outside Init..Kill.
extern thread_local FileManager* Access_Passwords;
