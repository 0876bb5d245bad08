#pragma once
// A step object for a whole-number first field (an entry number, say): the
// thumb's percentage is where the value lies between the first and the last
// entry's values, reversed for a descending order. Owns nothing. One thread.

#include <cstdint>

#include "browse/StepClass.h"

class StepLongClass : public StepClass {
  public:
    // 50 when every entry has the same value; never 0, so a value at the
    // low limit still shows the thumb off the very top.
    int GetPercentile(const rt::Value& value) override;
    rt::Value GetValue(double percentile) override;
    void SetLimit(const rt::Value& low, const rt::Value& high) override;

    std::int32_t Low = 0;
    std::int32_t High = 0;

  private:
    bool descending() const { return (Controls & ScrollSortDescending) != 0; }
};
