#pragma once
// Edit-in-place on a browse's page: a new row is primed and placed on the
// page, a changed row is taken from the record buffer, a delete runs at once;
// completing writes the row through the browse's primary file and relation
// managers, and the browse rebuilds its page afterwards. See EIPManager for
// what it borrows. GUI thread only.

#include "browse/EIPManager.h"

class BrowseEIPManager : public EIPManager {
  public:
    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    ErrorLevel TakeNewSelection() override;
    void ClearColumn() override;
    void TakeCompleted(int force) override;
    using EIPManager::TakeCompleted;

  private:
    ErrorLevel initInsert();
    ErrorLevel initChange();
    ErrorLevel initDelete();
    // Makes room on the page; answers the row the new record goes to.
    int placeNewRow();
    void abandonRow();
    void saveRow();

    int newRow_ = 0;  // the row an insert placed on the page
};
