#pragma once
// The built-in error log: the line file "AppError.Log" in the working folder,
// opened and closed around the lines ErrorClass writes. Owns the file. Usage
// counts nested opens. Takes CritSect (borrowed) when one is set; ErrorClass
// holds its own lock around every call and sets none.

#include <cstdint>
#include <string_view>

#include "errors/ErrorLogInterface.h"
#include "pairs/CriticalSection.h"
#include "runtime/store/LineFile.h"

class StandardErrorLogClass : public ErrorLogInterface {
  public:
    explicit StandardErrorLogClass(std::string_view fileName = "AppError.Log");
    // Force-closes the file.
    ~StandardErrorLogClass() override;
    StandardErrorLogClass(const StandardErrorLogClass&) = delete;
    StandardErrorLogClass& operator=(const StandardErrorLogClass&) = delete;

    // Closes the file when the last open is undone, or at once when forced.
    ErrorLevel Close(bool force = false) override;
    // Creates the file when missing and opens it shared, unless already open.
    ErrorLevel Open(bool force = false) override;
    // Appends text as one line (cut to the record's 1024 characters).
    ErrorLevel Take(std::string_view text) override;

    std::int32_t GetUsage() const { return Usage; }

    SyncObjectInterface* CritSect = nullptr;

  private:
    std::int32_t Usage = 0;
    rt::LineFile file_;
};
