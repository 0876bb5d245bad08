// How a list paints its cells: each text inside its own cell, clipped at
// the cell's edge rather than spilling into the next column, aligned as the
// format says, and in the highlight's colours on the highlighted row. Read
// from the list's pixels as painted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include "runtime/controls/ListControl.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

constexpr char kFormat[] = "40L~Name~@s200@40L~Next~@s10@60R~Count~@n6@";

class ListCellPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowDeclaration d;
        d.caption = "Cells";
        d.width = 200;
        d.height = 100;
        d.controls = {control(ControlKind::List).at(4, 4, 190, 90).listFormat(kFormat)};
        window = std::make_unique<Window>(d);
        window->setListRows(1, {{Value(std::string(60, 'W')), Value(""), Value(7)},
                                {Value(""), Value(""), Value("")}});
        window->open();
    }
    void TearDown() override { window->close(); }

    ListControl& list() { return *dynamic_cast<ListControl*>(window->TEST_control(1)); }

    // The cell's pixels as painted, inside its borders.
    std::vector<QRgb> cell(int row, int column) {
        QWidget* rows = list().rowArea();
        QImage shot = rows->grab().toImage();
        QPoint centre = list().cellCentre(row, column);
        int half = window->units().toPixelsX(
                       static_cast<int>(window->property(1, Prop::ColumnWidth, column).number())) /
                   2;
        std::vector<QRgb> pixels;
        for (int y = centre.y() - 4; y <= centre.y() + 4; ++y)
            for (int x = centre.x() - half + 2; x <= centre.x() + half - 2; ++x)
                pixels.push_back(shot.pixel(x, y));
        return pixels;
    }

    std::unique_ptr<Window> window;
};

}  // namespace

TEST_F(ListCellPaintTest, ATextStaysInsideItsCell) {
    EXPECT_NE(cell(1, 1), cell(2, 1)) << "the text is painted";
    EXPECT_EQ(cell(1, 2), cell(2, 2)) << "a long text is clipped at its cell's edge";
}

TEST_F(ListCellPaintTest, ARightAlignedTextSitsAtTheRightOfItsCell) {
    std::vector<QRgb> withText = cell(1, 3);
    QRgb background = cell(2, 1).front();
    int width = static_cast<int>(withText.size()) / 9;
    int leftmost = width;
    for (std::size_t i = 0; i < withText.size(); ++i)
        if (withText[i] != background) leftmost = std::min(leftmost, static_cast<int>(i) % width);
    EXPECT_LT(leftmost, width) << "the number is painted";
    EXPECT_GT(leftmost, width / 2) << "in the right half of the cell";
}

TEST_F(ListCellPaintTest, TheHighlightedRowPaintsItsTextInTheHighlightsColour) {
    window->setProperty(1, Prop::Selected, Value(1));
    QColor text = list().rowArea()->palette().color(QPalette::Active, QPalette::HighlightedText);
    std::vector<QRgb> pixels = cell(1, 1);
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), text.rgb()), pixels.end());
    EXPECT_EQ(window->listCell(1, 1, 1), std::string(60, 'W'));
}
