#include "window/ResizeGeometry.h"

#include "window/ResizeStrategy.h"

namespace {

// A decimal with eight places: enough to hold a whole or half unit times a
// four-place scale exactly, so no step of the arithmetic rounds.
using Fixed = long long;
constexpr Fixed kOne = 100000000;
constexpr Fixed kScaleOne = 10000;

Fixed fixed(long long units) {
    return units * kOne;
}
Fixed half(Fixed value) {
    return value / 2;
}
// REQUIRES: value is a whole or half unit.
Fixed scaled(Fixed value, int scale) {
    return value / kScaleOne * scale;
}
// Decimal to integer the runtime's way: the fraction is dropped.
int whole(Fixed value) {
    return static_cast<int>(value / kOne);
}

// One direction of the computation: X with widths, or Y with heights.
struct Axis {
    int parentOrigPos, parentOrigSize;
    int parentCurPos, parentCurSize;
    int origPos, origSize;
    int scale;
    int offset() const { return origPos - parentOrigPos; }
};

int resolveNearest(const Axis& a) {
    int gapAfter = a.parentOrigSize - (a.offset() + a.origSize);
    return a.offset() < gapAfter ? PositionFixLeft : PositionFixRight;
}

int newEdge(int rule, bool sizeLocked, const Axis& a) {
    if (rule == PositionFixNearest) rule = resolveNearest(a);
    Fixed parentStart = fixed(a.parentCurPos);
    switch (rule) {
        case PositionAbsolute:
            return a.origPos;
        case PositionFixLeft:
            return a.parentCurPos + a.offset();
        case PositionFixRight: {
            Fixed distance = fixed(a.parentOrigSize - a.offset());
            if (!sizeLocked) distance = scaled(distance, a.scale);
            return whole(parentStart + fixed(a.parentCurSize) - distance);
        }
        case PositionFixCentre: {
            Fixed fromCentre = fixed(a.offset()) - half(fixed(a.parentOrigSize));
            if (!sizeLocked) fromCentre = scaled(fromCentre, a.scale);
            return whole(parentStart + half(fixed(a.parentCurSize)) + fromCentre);
        }
        case PositionCentreShift: {
            Fixed centreNow = parentStart + half(fixed(a.parentCurSize));
            Fixed centreThen = fixed(a.parentOrigPos) + half(fixed(a.parentOrigSize));
            return whole(fixed(a.origPos) + centreNow - centreThen);
        }
        default:
            return whole(parentStart + scaled(fixed(a.offset()), a.scale));
    }
}

// lock, follow and halfFollow are the bits of this direction.
int newSize(int resize, int lock, int follow, int halfFollow, const Axis& a, int newPos) {
    int growth = a.parentCurPos + a.parentCurSize + a.offset() - a.parentOrigSize - newPos;
    if (resize & follow) return growth + a.origSize;
    if (resize & halfFollow) return whole(half(fixed(growth)) + fixed(a.origSize));
    if (resize & lock) return a.origSize;
    return whole(scaled(fixed(a.origSize), a.scale));
}

}  // namespace

int ScaleOf(int current, int initial) {
    if (initial <= 0) return kScaleOne;
    long long n = static_cast<long long>(current) * kScaleOne;
    long long q = n / initial, r = n % initial;
    if (2 * (r < 0 ? -r : r) >= initial) q += n < 0 ? -1 : 1;
    return static_cast<int>(q);
}

PositionGroup ComputeNewPosition(int positionalStrategy, int resizeStrategy,
                                 const PositionGroup& parentOrig, const PositionGroup& orig,
                                 const PositionGroup& parentCurrent) {
    Axis x{parentOrig.XPos,
           parentOrig.Width,
           parentCurrent.XPos,
           parentCurrent.Width,
           orig.XPos,
           orig.Width,
           ScaleOf(parentCurrent.Width, parentOrig.Width)};
    Axis y{parentOrig.YPos,
           parentOrig.Height,
           parentCurrent.YPos,
           parentCurrent.Height,
           orig.YPos,
           orig.Height,
           ScaleOf(parentCurrent.Height, parentOrig.Height)};
    PositionGroup to;
    to.XPos = newEdge(positionalStrategy & 0xFF, resizeStrategy & ResizeLockWidth, x);
    to.YPos = newEdge((positionalStrategy >> 8) & 0xFF, resizeStrategy & ResizeLockHeight, y);
    to.Width =
        newSize(resizeStrategy, ResizeLockWidth, ResizeFixRight, ResizeHalfRight, x, to.XPos);
    to.Height =
        newSize(resizeStrategy, ResizeLockHeight, ResizeFixBottom, ResizeHalfBottom, y, to.YPos);
    return to;
}
