#pragma once
// The program's settings object: the settings file ".\Lockora.INI" that also
// carries GLO.FileLocation in section "Preserved". Process-wide (INIMgr);
// the base class's lock guards every access.

#include "window/INIClass.h"

class INIMgrClass : public INIClass {
  public:
    using INIClass::Fetch;
    using INIClass::Update;

    // Loads GLO.FileLocation (blank when absent), then the base settings;
    // first says so when the settings file cannot be used.
    void Fetch() override;
    // Saves the base settings, then GLO.FileLocation.
    void Update() override;
    // Drops the loaded settings without writing anything, for a process that
    // is about to end at once: the exit's clean-up must not save them.
    void Abandon();

  private:
    void ReportUnusableFile();
};

extern INIMgrClass INIMgr;
