#pragma once
// The data dictionary of a thread: the file and relation managers of the
// Passwords and System tables. DctInit builds them, DctKill tears them down;
// a Dictionary object does both for a thread other than the first. The
// record buffers are PAS and SYS (PasswordsFile.h, SystemFile.h).

#include "app/Hide_Access_Passwords.h"
#include "app/Hide_Access_System.h"
#include "app/Hide_Relate_Passwords.h"
#include "app/Hide_Relate_System.h"
#include "app/PasswordsFile.h"
#include "app/SystemFile.h"

void DctInit();
void DctKill();

class Dictionary {
  public:
    Dictionary();
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
};
