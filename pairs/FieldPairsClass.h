#pragma once
// Pairs of borrowed variables (left, right) copied, cleared and compared as
// one set: linking fields, list columns, history. The variables must outlive
// the pairs. Owns only its list. One thread.

#include <memory>
#include <vector>

#include "runtime/text/FieldRef.h"

class FieldPairsClass {
  public:
    struct FieldPair {
        rt::FieldRef Left;
        rt::FieldRef Right;
    };

    FieldPairsClass() = default;
    virtual ~FieldPairsClass();
    FieldPairsClass(const FieldPairsClass&) = delete;
    FieldPairsClass& operator=(const FieldPairsClass&) = delete;

    virtual void Init();
    virtual void Kill();
    // REQUIRES: Init was called (an assertion reports it otherwise).
    virtual void AddPair(rt::FieldRef left, rt::FieldRef right);

    void AssignLeftToRight();
    void AssignRightToLeft();
    void ClearLeft();
    void ClearRight();
    bool EqualLeftRight() const;
    bool Equal() const { return EqualLeftRight(); }

    // The pairs in the order added; null before Init and after Kill.
    const std::vector<FieldPair>* List() const { return list_.get(); }

  protected:
    std::unique_ptr<std::vector<FieldPair>> list_;
};
