#include "browse/EditClass.h"

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"

EditClass::~EditClass() {
    Kill();
}

void EditClass::CreateControl() {}

void EditClass::Init(int column, int listBox, rt::FieldRef useVar, rt::Window& window) {
    Win = &window;
    ListBoxFeq = listBox;
    FieldNo = column;
    CreateControl();
    RT_ASSERT(Feq != 0, "EditClass::Init: the editor made no control");
    if (Feq == 0) return;
    UseVar = useVar;
    window.bind(Feq, useVar, window.property(listBox, rt::Prop::Picture, column).text());
    SetAlerts();
}

void EditClass::Kill() {
    if (Win && Feq != 0) Win->destroy(Feq);
    Feq = 0;
    UseVar = rt::FieldRef();
}

void EditClass::SetAlerts() {
    for (int key : {int(rt::TabKey), rt::TabKey + rt::KeyShift, int(rt::EnterKey), int(rt::EscKey),
                    int(rt::DownKey), int(rt::UpKey)})
        Win->alert(key, Feq);
}

void EditClass::SetReadOnly(bool state) {
    ReadOnly = state;
    if (Win && Feq != 0) Win->setProperty(Feq, rt::Prop::ReadOnly, rt::Value(state ? 1 : 0));
}

int EditClass::TakeAccepted(int action) {
    if (Win && Feq != 0) Win->update(Feq);
    return action;
}

int EditClass::TakeEvent(int event) {
    if (event != rt::EventAlertKey || !Win) return EditActionNone;
    switch (Win->keyCode()) {
        case rt::TabKey:
            return EditActionForward;
        case rt::TabKey + rt::KeyShift:
            return EditActionBackward;
        case rt::EnterKey:
            return EditActionComplete;
        case rt::EscKey:
            return EditActionCancel;
        case rt::DownKey:
            return EditActionNext;
        case rt::UpKey:
            return EditActionPrevious;
        default:
            return EditActionNone;
    }
}

int EditClass::GetFeq() {
    return Feq;
}

int EditClass::ResetControl() {
    return 0;
}
