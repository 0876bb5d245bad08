#pragma once
// A control's or a window's place and size in the window's dialog units, as
// the resizer records and computes them. Plain value.

struct PositionGroup {
    int XPos = 0;
    int YPos = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PositionGroup&) const = default;
};
