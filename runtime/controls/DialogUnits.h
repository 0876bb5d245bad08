#pragma once
// Converts dialog units to pixels and back for one window font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit
// an eighth of its height. Copyable value.

#include <string>

namespace rt {

class DialogUnits {
  public:
    // REQUIRES: both bases positive (pixels).
    DialogUnits(int averageCharWidth, int charHeight)
        : baseX_(averageCharWidth), baseY_(charHeight) {}
    // The bases of an installed font (the nearest family when it is missing).
    static DialogUnits forFont(const std::string& family, int pointSize);

    int toPixelsX(int units) const { return roundDiv(units * baseX_, 4); }
    int toPixelsY(int units) const { return roundDiv(units * baseY_, 8); }
    int fromPixelsX(int pixels) const { return roundDiv(pixels * 4, baseX_); }
    int fromPixelsY(int pixels) const { return roundDiv(pixels * 8, baseY_); }
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

  private:
    static int roundDiv(int a, int b) { return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b); }
    int baseX_;
    int baseY_;
};

}  // namespace rt
