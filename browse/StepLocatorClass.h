#pragma once
// The locator of a list sorted by one field: a typed character jumps to the
// first entry whose field starts with it, and the same character again steps
// to the next such entry. Borrows what its base borrows. GUI thread only.

#include "browse/LocatorClass.h"

class StepLocatorClass : public LocatorClass {
  public:
    using LocatorClass::Init;
    // REQUIRES: the browse was given first (the four-argument Init), else a
    // programming error.
    void Init(int control, rt::FieldRef freeElement, bool noCase) override;
    void Set() override {}
    bool TakeKey() override;

  private:
    // The character as the comparison sees it.
    std::string folded(const std::string& text) const;
};
