#pragma once
// The lowest and highest value a record field can hold, for positioning at
// either end of a key's order.

#include "runtime/text/FieldRef.h"

void SetLowestValue(rt::FieldRef field);
void SetHighestValue(rt::FieldRef field);
