#pragma once
// Field pairs with a third, owned buffer per pair that remembers values (the
// linking fields of a record before an edit, say) so a change can be seen.
// Borrows left and right like FieldPairsClass. One thread.

#include <memory>
#include <vector>

#include "pairs/FieldPairsClass.h"
#include "runtime/text/OwnedField.h"

class BufferedPairsClass : public FieldPairsClass {
  public:
    BufferedPairsClass() = default;
    ~BufferedPairsClass() override;

    void Init() override;
    void Kill() override;
    // The new buffer has right's type and holds the cleared value.
    void AddPair(rt::FieldRef left, rt::FieldRef right) override;

    void AssignLeftToBuffer();
    void AssignRightToBuffer();
    void AssignBufferToLeft();
    void AssignBufferToRight();
    // Exact with caseSensitive set; otherwise both sides compare upper-cased.
    bool EqualLeftBuffer(bool caseSensitive = false) const;
    bool EqualRightBuffer(bool caseSensitive = false) const;

  private:
    // Parallel to list_: buffers_[i] belongs to pair i.
    std::vector<std::unique_ptr<rt::OwnedField>> buffers_;
};
