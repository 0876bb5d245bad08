#pragma once
// Where one control goes when its parent (a control or the window) changes
// size: the strategies applied to the initial layout. Pure arithmetic on
// decimals, so the same sizes always give the same places.

#include "window/PositionGroup.h"

// The ratio current / initial kept to four decimal places, in ten-thousandths
// (10000 = unchanged). An initial size of zero or less counts as unchanged.
int ScaleOf(int current, int initial);

// The control's new place. orig is its initial place, parentOrig its parent's
// initial place and parentCurrent its parent's place now; all in the same
// coordinates. Results are decimals cut to whole units.
PositionGroup ComputeNewPosition(int positionalStrategy, int resizeStrategy,
                                 const PositionGroup& parentOrig, const PositionGroup& orig,
                                 const PositionGroup& parentCurrent);
