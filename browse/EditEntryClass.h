#pragma once
// An editor whose control is a one-line entry, named for assistive tools by
// the header of the column it edits. See EditClass.

#include "browse/EditClass.h"

class EditEntryClass : public EditClass {
  public:
    void CreateControl() override;
};
