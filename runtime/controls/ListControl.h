#pragma once
// A multi-column list laid out by its format string. It shows exactly the
// rows the program gives it; with a rows source, what that source gives each
// time it is displayed (the way a list shows its queue); in virtual mode, what
// a ListSource answers for the row count and each cell as it comes on screen.
// In page-loaded mode its scroll bar and navigation keys do not scroll: they
// report scroll events, and the program decides which rows to show next; a
// typed character is reported as an alert key (the program's locator takes
// it) instead of searching the rows shown. Another control of the window can
// be laid over a cell of the highlighted row (an entry editing the cell); it
// follows the highlight and the column, and a press on another cell of that
// row reports a new selection so the program can move it there.

#include <functional>
#include <string>
#include <vector>

#include "runtime/controls/Control.h"
#include "runtime/controls/ListFormat.h"
#include "runtime/controls/ListSource.h"

class QTableView;
class QScrollBar;

namespace rt {

class ListModel;

class ListControl : public Control {
  public:
    using Control::Control;
    QWidget* focusTarget() const override;
    bool takesFocus() const override { return true; }

    // Replaces the rows; each row holds the columns' values in order. With a
    // rows source, they count as its rows last shown.
    void setRows(const std::vector<std::vector<Value>>& rows);
    // Virtual mode: source feeds the list until setRows() is called.
    void setSource(ListSource source);
    // The list shows what source gives whenever it is displayed.
    void setRowsSource(std::function<std::vector<std::vector<Value>>()> source) {
        rowsSource_ = std::move(source);
    }
    // With a rows source, shows its rows (when as many rows as before, only
    // those that differ are shown anew); in virtual mode, asks the source
    // whether anything changed and shows the rows anew when it did.
    void display() override;
    // With a rows source: true when it gives other rows than those shown, so
    // the window shows them after the event.
    bool variableChanged() const override;
    int rowCount() const;
    std::string cellText(int row, int column) const;  // 1-based
    int choice() const;                               // 0 = none
    void setChoice(int row);
    bool pageLoaded() const { return (decl_.flags & FlagPageLoaded) != 0; }

    // Where the robot clicks: the centre of a row's cell or a header cell,
    // in the receiving widget's coordinates.
    QWidget* rowArea() const;
    QWidget* headerArea() const;
    QPoint cellCentre(int row, int column) const;
    QPoint headerCentre(int column) const;
    QScrollBar* scrollBar() const { return bar_; }

    // Sees what the list tells a screen reader of its highlighted row (the
    // row, its cells' text) in place of the toolkit, which sends nothing on
    // the offscreen platform; an empty hook gives it back. Answers the old.
    using AnnounceHook = std::function<void(int row, const std::string& text)>;
    static AnnounceHook TEST_setAnnounceHook(AnnounceHook hook);

    void noteMouse(QObject* receiver, const QPointF& pos) override;
    bool takeKey(int key) override;
    Value property(Prop prop, int index) const override;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;
    std::string ownLabel() const override { return decl_.text; }
    void applyAccessibleName(const QString& name) override;

  private:
    void applyFormat();
    // Runs change with no selection events and keeps the highlighted row.
    void keepChoice(const std::function<void()>& change);
    // The laid-over control goes to its cell, or hides when there is none.
    void placeEditor();
    void releaseEditor();
    void connectScrollBar();
    int visibleRows() const;
    // The spaces that move a header text right by units dialog units.
    int shiftSpaces(int units) const;
    // Tells a screen reader the highlighted row when it differs from the
    // one it was last told of.
    void announceChoice();
    QString choiceText() const;

    ListFormat format_;
    std::function<std::vector<std::vector<Value>>()> rowsSource_;
    std::vector<std::vector<Value>> fromSource_;  // the rows source's rows last shown
    std::vector<int> headerShifts_;               // by column, dialog units
    QTableView* table_ = nullptr;
    ListModel* model_ = nullptr;
    QScrollBar* bar_ = nullptr;
    bool quiet_ = false;  // selection changes made by the program post nothing
    int mouseRow_ = 0;
    int mouseColumn_ = 0;
    int mouseZone_ = 0;
    int rowBeforePress_ = 0;
    int editColumn_ = 0;   // 1-based; 0 = no control laid over a cell
    int editControl_ = 0;  // its number
    int toldRow_ = 0;      // the highlighted row a screen reader last heard of
    QString toldText_;     // and its cells' text then
};

}  // namespace rt
