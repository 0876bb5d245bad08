#pragma once
// A multi-column list laid out by its format string. It shows exactly the
// rows the program gives it, or, with a source, what the source gives each
// time it is displayed. In page-loaded mode its scroll bar and navigation
// keys do not scroll: they report scroll events, and the program decides
// which rows to show next; a typed character is reported as an alert key
// (the program's locator takes it) instead of searching the rows shown.

#include <functional>
#include <string>
#include <vector>

#include "runtime/controls/Control.h"
#include "runtime/controls/ListFormat.h"

class QTableWidget;
class QScrollBar;

namespace rt {

class ListControl : public Control {
  public:
    using Control::Control;
    QWidget* focusTarget() const override;
    bool takesFocus() const override { return true; }

    // Replaces the rows; each row holds the columns' values in order.
    void setRows(const std::vector<std::vector<Value>>& rows);
    void setSource(std::function<std::vector<std::vector<Value>>()> source) {
        source_ = std::move(source);
    }
    void display() override;
    // With a source: true when it gives other rows than those shown, so the
    // window shows them after the event, as a list shows its queue.
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

    void noteMouse(QObject* receiver, const QPointF& pos) override;
    bool takeKey(int key) override;
    Value property(Prop prop, int index) const override;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    void applyFormat();
    void connectScrollBar();
    int visibleRows() const;
    // Column c's header as shown: its text moved right by its shift.
    void showHeader(int c);

    ListFormat format_;
    std::vector<std::string> headerTexts_;  // by column, as the program set them
    std::vector<int> headerShifts_;         // by column, dialog units
    std::function<std::vector<std::vector<Value>>()> source_;
    std::vector<std::vector<Value>> fromSource_;  // the source's rows last shown
    QTableWidget* table_ = nullptr;
    QScrollBar* bar_ = nullptr;
    bool quiet_ = false;  // selection changes made by the program post nothing
    int mouseRow_ = 0;
    int mouseColumn_ = 0;
    int mouseZone_ = 0;
};

}  // namespace rt
