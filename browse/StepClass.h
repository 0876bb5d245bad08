#pragma once
// Maps the value of a sort order's first field to a scroll-thumb percentage
// and back, so the thumb shows where the highlighted entry lies between the
// first and the last. This base maps nothing; StepLongClass maps whole
// numbers. Owns nothing. One thread.

#include <cstdint>

#include "runtime/text/Value.h"

// Bits of StepClass::Controls.
enum : std::uint8_t {
    ScrollSortDescending = 16,  // the order runs from the highest value down
};

class StepClass {
  public:
    StepClass() = default;
    virtual ~StepClass() = default;
    StepClass(const StepClass&) = delete;
    StepClass& operator=(const StepClass&) = delete;

    void Init(std::uint8_t controls) { Controls = controls; }

    // The operations in their slot order.
    // 1..100 for a value between the limits.
    virtual int GetPercentile(const rt::Value& value) {
        (void)value;
        return 50;
    }
    virtual rt::Value GetValue(double percentile) {
        (void)percentile;
        return rt::Value();
    }
    virtual void Kill() {}
    // The values of the first and the last entry.
    virtual void SetLimit(const rt::Value& low, const rt::Value& high) { (void)low, (void)high; }
    virtual bool SetLimitNeeded() { return true; }

    std::uint8_t Controls = 0;
};
