#pragma once
// A tab sheet: the frame and tab bar of its tabs. Tab controls add their page
// to it; controls declared on a tab are shown only while that tab is current.
// Choosing another tab makes EventNewSelection.

#include "runtime/controls/Control.h"

class QTabWidget;

namespace rt {

class SheetControl : public Control {
  public:
    using Control::Control;
    // Adds a page for tab control number; answers its index.
    int addTab(int tabControl, const std::string& text);
    void setTabText(int tabControl, const std::string& text);
    // The tab control now current (0 when there is none).
    int currentTab() const;
    void setCurrentTab(int tabControl);
    // Where a person clicks to choose a tab: the tab bar and a point on it.
    QWidget* tabBar() const;
    QPoint tabCentre(int tabControl) const;
    Value property(Prop prop, int index) const override;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    int indexOf(int tabControl) const;
    QTabWidget* tabs_ = nullptr;
    std::vector<int> tabControls_;
};

}  // namespace rt
