#pragma once
// One control of an open window: its number, declaration and widget, the copy
// between widget and bound variable, and its properties. Subclasses add the
// kind's widget and behaviour. Owns its widget; borrows the host window.
// GUI thread only.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <set>
#include <string>

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/controls/ControlHost.h"
#include "runtime/controls/Prop.h"
#include "runtime/text/Value.h"

namespace rt {

class Control {
  public:
    Control(int number, ControlDeclaration decl, ControlHost& host);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the widget on parent and applies the declaration.
    void build(QWidget* parent);

    int number() const { return number_; }
    ControlKind kind() const { return decl_.kind; }
    const ControlDeclaration& declaration() const { return decl_; }
    QWidget* widget() const { return widget_; }
    // The widget that takes the keyboard focus (the widget itself by default).
    virtual QWidget* focusTarget() const { return widget_; }
    virtual bool takesFocus() const { return false; }
    // Visited by the accept-all pass.
    virtual bool takesInput() const { return false; }

    // Binds the control to another variable shown under picture, and shows it.
    virtual void bind(FieldRef use, std::string picture);
    // Variable to control; remembers what was shown.
    virtual void display();
    // Control to variable; false (nothing stored) when the control's text
    // does not read under its picture.
    virtual bool update() { return true; }
    // The user leaves the control or presses Enter in it: stores a changed
    // text into the variable. Answers the event that makes: 0 when nothing
    // changed, EventAccepted, or EventRejected when the text does not read.
    virtual int commitEdit() { return 0; }
    // Told of every mouse event on the control's widgets (receiver's own
    // coordinates), before the widget sees it.
    virtual void noteMouse(QObject* receiver, const QPointF& pos) { (void)receiver, (void)pos; }
    // A navigation key the control turns into its own event instead of the
    // widget's handling; answers whether it did.
    virtual bool takeKey(int key) {
        (void)key;
        return false;
    }
    // True when the bound variable changed since display() or update().
    virtual bool variableChanged() const;
    virtual std::string text() const;
    virtual void setText(const std::string& text);
    virtual bool isBlank() const;
    // What the user is told when the control's text does not read.
    std::string refusalMessage() const;
    // What a screen reader calls the control: the text of the prompt that
    // labels it, else its own label, else its tip (AccessibleName.h).
    std::string accessibleName() const;
    // The prompt declared just before this control labels it.
    void setPromptText(const std::string& text);

    void setHidden(bool hidden);
    bool hiddenFlag() const { return hidden_; }
    // Shown on screen when the tab holding it is current.
    void setTabShown(bool shown);
    bool isVisible() const { return !hidden_ && tabShown_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    std::set<int>& alerts() { return alerts_; }

    virtual Value property(Prop prop, int index) const;
    virtual void setProperty(Prop prop, int index, const Value& value);

  protected:
    virtual QWidget* createWidget(QWidget* parent) = 0;
    // The words the control shows as its own label (a button's text); an
    // entry's text is what was typed, not a label, so none by default.
    virtual std::string ownLabel() const { return {}; }
    // Gives the name to the widgets a screen reader meets.
    virtual void applyAccessibleName(const QString& name);
    void refreshAccessibleName();
    ControlHost& host() { return host_; }
    const ControlHost& host() const { return host_; }
    void post(int event) { host_.postFromUser(event, number_); }
    // The bound variable's value as shown, or the declared text when unbound.
    std::string boundText() const;
    void rememberShown();
    ControlDeclaration decl_;

  private:
    void applyGeometry();
    void applyLooks();
    void refreshShown();
    void setBackground(int color);

    int number_;
    ControlHost& host_;
    QPointer<QWidget> widget_;
    bool hidden_ = false;
    bool tabShown_ = true;
    bool enabled_ = true;
    bool noLayout_ = false;
    bool colorSet_ = false;  // the program gave the background a colour
    std::string promptText_;
    std::set<int> alerts_;
    Value shown_;
};

// A colour value (red in the low byte) as a toolkit colour.
QColor colorFromValue(int value);
int valueFromColor(const QColor& color);
// A font style value (Prop.h) read from a toolkit font, and applied to one.
int fontStyleOf(const QFont& font);
QFont withFontStyle(QFont font, int style);

}  // namespace rt
