#include "window/ResizeStrategy.h"

#include <algorithm>
#include <initializer_list>

namespace {

struct StrategyRow {
    int appStrategy;
    std::initializer_list<int> types;  // empty: every type
    int positional;
    int resize;
};

// clang-format off
const StrategyRow kDefaults[] = {
    {1, {9, 12, 21},                  4112, 3},   // buttons, checks, radios: nearest edge, fixed size
    {1, {8, 15, 16, 34},              0,    2},   // entries: proportional, fixed height
    {2, {1, 2, 8, 10, 15, 16, 34},    1024, 2},   // texts and entries: keep the top distance
    {2, {3, 4, 11, 13, 14, 37, 39},   1028, 12},  // containers and lists: right and bottom follow
    {2, {9, 12, 21},                  4112, 3},
    {3, {},                           257,  3},   // everything stays where it is
    {4, {1, 2, 10},                   1028, 3},
    {4, {3, 4, 11, 13, 14, 37, 39},   1028, 12},
    {4, {15, 16, 34, 8},              1028, 6},   // entries: fixed height, right edge follows
    {4, {17},                         1028, 12},
    {4, {9, 12, 21},                  4112, 3},
    {5, {},                           2056, 3},   // keep the offset from the centre
};
// clang-format on

const StrategyRow* findRow(int controlType, int appStrategy) {
    for (const StrategyRow& row : kDefaults) {
        if (row.appStrategy != appStrategy) continue;
        if (row.types.size() == 0 ||
            std::find(row.types.begin(), row.types.end(), controlType) != row.types.end())
            return &row;
    }
    return nullptr;
}

}  // namespace

int DefaultPositionStrategy(int controlType, int appStrategy) {
    const StrategyRow* row = findRow(controlType, appStrategy);
    return row ? row->positional : 0;
}

int DefaultResizeStrategy(int controlType, int appStrategy) {
    const StrategyRow* row = findRow(controlType, appStrategy);
    return row ? row->resize : 0;
}
