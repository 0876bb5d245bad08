#include "pairs/BufferedPairsClass.h"

#include "runtime/host/Assert.h"
#include "runtime/text/TextCase.h"

namespace {

bool sameValue(const rt::FieldRef& a, rt::FieldRef b, bool caseSensitive) {
    if (caseSensitive || !a.isText() || !b.isText()) return a.compare(b) == 0;
    return rt::compareText(rt::upper(a.get().text()), rt::upper(b.get().text())) == 0;
}

}  // namespace

BufferedPairsClass::~BufferedPairsClass() {
    BufferedPairsClass::Kill();
}

void BufferedPairsClass::Init() {
    Kill();
    FieldPairsClass::Init();
}

void BufferedPairsClass::Kill() {
    FieldPairsClass::Kill();
    buffers_.clear();
}

void BufferedPairsClass::AddPair(rt::FieldRef left, rt::FieldRef right) {
    if (!list_) {
        rt::assertFailed("Field pairs used before Init", __FILE__, __LINE__);
        return;
    }
    FieldPairsClass::AddPair(left, right);
    buffers_.push_back(std::make_unique<rt::OwnedField>(right));
}

void BufferedPairsClass::AssignLeftToBuffer() {
    for (std::size_t i = 0; i < buffers_.size(); ++i) buffers_[i]->ref().assign((*list_)[i].Left);
}

void BufferedPairsClass::AssignRightToBuffer() {
    for (std::size_t i = 0; i < buffers_.size(); ++i) buffers_[i]->ref().assign((*list_)[i].Right);
}

void BufferedPairsClass::AssignBufferToLeft() {
    for (std::size_t i = 0; i < buffers_.size(); ++i) (*list_)[i].Left.assign(buffers_[i]->ref());
}

void BufferedPairsClass::AssignBufferToRight() {
    for (std::size_t i = 0; i < buffers_.size(); ++i) (*list_)[i].Right.assign(buffers_[i]->ref());
}

bool BufferedPairsClass::EqualLeftBuffer(bool caseSensitive) const {
    for (std::size_t i = 0; i < buffers_.size(); ++i)
        if (!sameValue((*list_)[i].Left, buffers_[i]->ref(), caseSensitive)) return false;
    return true;
}

bool BufferedPairsClass::EqualRightBuffer(bool caseSensitive) const {
    for (std::size_t i = 0; i < buffers_.size(); ++i)
        if (!sameValue((*list_)[i].Right, buffers_[i]->ref(), caseSensitive)) return false;
    return true;
}
