#include "pairs/FieldPairsClass.h"

#include "runtime/host/Assert.h"

FieldPairsClass::~FieldPairsClass() {
    FieldPairsClass::Kill();
}

void FieldPairsClass::Init() {
    Kill();
    list_ = std::make_unique<std::vector<FieldPair>>();
}

void FieldPairsClass::Kill() {
    list_.reset();
}

void FieldPairsClass::AddPair(rt::FieldRef left, rt::FieldRef right) {
    if (!list_) {
        rt::assertFailed("Field pairs used before Init", __FILE__, __LINE__);
        return;
    }
    list_->push_back({left, right});
}

void FieldPairsClass::AssignLeftToRight() {
    if (list_)
        for (FieldPair& p : *list_) p.Right.assign(p.Left);
}

void FieldPairsClass::AssignRightToLeft() {
    if (list_)
        for (FieldPair& p : *list_) p.Left.assign(p.Right);
}

void FieldPairsClass::ClearLeft() {
    if (list_)
        for (FieldPair& p : *list_) p.Left.clear();
}

void FieldPairsClass::ClearRight() {
    if (list_)
        for (FieldPair& p : *list_) p.Right.clear();
}

bool FieldPairsClass::EqualLeftRight() const {
    if (list_)
        for (const FieldPair& p : *list_)
            if (p.Left.compare(p.Right) != 0) return false;
    return true;
}
