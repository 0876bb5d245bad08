#pragma once
// The column layout of a list control, read from its format string: for each
// column a width in dialog units, the alignment and indent of its cells, a
// resizable right border, a header text and a display picture, e.g.
// "150L(2)|M~Title~@s80@". Copyable value.

#include <string>
#include <string_view>
#include <vector>

namespace rt {

enum class ColumnAlign : char { Left = 'L', Right = 'R', Center = 'C', Decimal = 'D' };

struct ListColumn {
    int width = 0;  // dialog units
    ColumnAlign align = ColumnAlign::Left;
    int indent = 0;  // dialog units from the aligned edge
    bool rightBorder = false;
    bool resizable = false;
    std::string header;
    ColumnAlign headerAlign = ColumnAlign::Left;
    std::string picture;  // e.g. "@s80"; empty = the value's own text
};

class ListFormat {
  public:
    // Reads as many whole columns as the text holds; a malformed tail is
    // ignored rather than guessed at.
    static ListFormat parse(std::string_view format);
    const std::vector<ListColumn>& columns() const { return columns_; }
    std::vector<ListColumn>& columns() { return columns_; }

  private:
    std::vector<ListColumn> columns_;
};

}  // namespace rt
