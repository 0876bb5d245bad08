#pragma once
// The resizer's strategy codes and the default strategies each application
// strategy gives a control type. A positional strategy holds the horizontal
// rule in its low byte and the vertical rule, the same codes times 256, in
// its high byte; a resize strategy is a set of bits.

// clang-format off
enum PositionRule : int {
    PositionProportional = 0,   // parent's left + offset x scale
    PositionAbsolute     = 1,   // the initial coordinate
    PositionFixRight     = 2,   // keep the distance to the parent's right edge
    PositionFixLeft      = 4,   // keep the distance to the parent's left edge
    PositionFixCentre    = 8,   // keep the offset from the parent's centre
    PositionFixNearest   = 16,  // FixLeft or FixRight, whichever edge is nearer
    PositionCentreShift  = 32,  // move as far as the parent's centre moves
};

enum ResizeBits : int {
    ResizeLockWidth      = 1,   // keep the initial width
    ResizeLockHeight     = 2,   // keep the initial height
    ResizeFixRight       = 4,   // right edge keeps its distance to the parent's
    ResizeFixBottom      = 8,   // bottom edge keeps its distance to the parent's
    ResizeHalfRight      = 16,  // right edge moves half as far as with FixRight
    ResizeHalfBottom     = 32,  // bottom edge moves half as far as with FixBottom
};
// clang-format on

// The default strategies of a control type under application strategy 1..5;
// anything else gets 0.
int DefaultPositionStrategy(int controlType, int appStrategy);
int DefaultResizeStrategy(int controlType, int appStrategy);
