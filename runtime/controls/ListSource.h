#pragma once
// What a virtual list asks of the program that feeds it, one call per
// question, so that a list of any length opens at once: only the rows on
// screen are ever asked for. The source is called on the GUI thread.
//
//   row              column   answer
//   ListAskRows      -        the number of rows
//   ListAskColumns   -        the number of columns the source can fill
//   ListAskChanged   -        1 when anything changed since the last question
//   1..rows          1..n     the cell's value (shown through the column's
//                             picture)

#include <functional>

#include "runtime/text/Value.h"

namespace rt {

enum : int {
    ListAskRows = -1,
    ListAskColumns = -2,
    ListAskChanged = -3,
};

using ListSource = std::function<Value(int row, int column)>;

}  // namespace rt
