#include "browse/StandardBehavior.h"

#include "runtime/text/FixedText.h"
#include "runtime/gui/Window.h"
#include "window/WindowManager.h"

void StandardBehavior::Init(PageQueue& queue, rt::FieldRef position, int listControl,
                            WindowManager& window) {
    Q = &queue;
    S = position;
    LC = listControl;
    window_ = &window;
    bound_ = nullptr;
}

rt::Window* StandardBehavior::list() {
    rt::Window* w = window_ ? window_->MyWindow : nullptr;
    if (w && w != bound_) {
        PageQueue* q = Q;
        w->setListRowsSource(LC, [q] { return q->Rows(); });
        bound_ = w;
    }
    return w;
}

int StandardBehavior::Records() {
    return Q->Records();
}

void StandardBehavior::Insert() {
    Q->Add();
}

int StandardBehavior::Insert(int position) {
    return Q->Add(position) ? 0 : 1;
}

bool StandardBehavior::Fetch(int position) {
    return Q->Get(position);
}

void StandardBehavior::Update() {
    Q->Put();
}

void StandardBehavior::Delete() {
    Q->Delete();
}

void StandardBehavior::Free() {
    Q->Free();
}

std::string StandardBehavior::Who(int column) {
    return Q->Who(column);
}

std::string StandardBehavior::GetViewPosition() {
    return rt::rightTrim(S.get().text());
}

void StandardBehavior::SetViewPosition(std::string_view position) {
    S.set(rt::Value(std::string(position)));
}

int StandardBehavior::Choice() {
    rt::Window* w = list();
    return w ? static_cast<int>(w->property(LC, rt::Prop::Selected).number()) : 0;
}

int StandardBehavior::GetItems() {
    rt::Window* w = list();
    return w ? static_cast<int>(w->property(LC, rt::Prop::Items).number()) : 0;
}

bool StandardBehavior::GetVisible() {
    rt::Window* w = list();
    return w && w->property(LC, rt::Prop::Visible).number() != 0;
}

void StandardBehavior::SetChoice(int row) {
    if (rt::Window* w = list()) w->setProperty(LC, rt::Prop::Selected, rt::Value(row));
}

void StandardBehavior::SetControl(int control) {
    LC = control;
    bound_ = nullptr;
}
