#pragma once
// What the browse needs of its list control: the highlighted row, the
// control's number, how many rows it can show and whether it is visible.
// Implementations borrow the control. GUI thread only.

class IListControl {
  public:
    virtual ~IListControl() = default;

    // The operations in their slot order. Rows are numbered from 1; 0 none.
    virtual int Choice() = 0;
    virtual int GetControl() = 0;
    virtual int GetItems() = 0;
    virtual bool GetVisible() = 0;
    virtual void SetChoice(int row) = 0;
    virtual void SetControl(int control) = 0;
};
