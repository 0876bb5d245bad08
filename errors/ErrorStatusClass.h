#pragma once
// Holds one ErrorStatusGroup per thread, so that threads raising errors at
// once keep their own context values. A thread's group is made on its first
// use and freed when the thread ends. Any thread; each sees only its own.

#include <cstdint>

#include "errors/ErrorStatusGroup.h"

class ErrorStatusClass {
  public:
    ErrorStatusClass();
    ~ErrorStatusClass();
    ErrorStatusClass(const ErrorStatusClass&) = delete;
    ErrorStatusClass& operator=(const ErrorStatusClass&) = delete;

    // The calling thread's group.
    ErrorStatusGroup& Group();

  private:
    // Thread-local groups are keyed by this serial rather than the object's
    // address, so a later object at the same address starts fresh.
    std::uint64_t serial_;
};
