#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A 4 x 5 grid with one fixed row and one fixed column, as the list screens use.
class FlexGridTest : public ::testing::Test {
protected:
    FlexGridTest() {
        grid.setRows(4);
        grid.setCols(5);
        grid.setFixedRows(1);
        grid.setFixedCols(1);
    }
    FlexGrid grid;
};

TEST_F(FlexGridTest, FixedCellsAreHeadingsAndTheRestAreWhite) {
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.cellBackColor(0, 3), Palette::fixedCellBackground());
    EXPECT_EQ(grid.cellBackColor(2, 0), Palette::fixedCellBackground());
    EXPECT_EQ(grid.cellBackColor(2, 3), Palette::colour(15));
    EXPECT_EQ(grid.cellForeColor(2, 3), Palette::colour(0));
    // Rows and columns added later get heading cells too.
    grid.setRows(6);
    EXPECT_EQ(grid.cellBackColor(5, 0), Palette::fixedCellBackground());
    EXPECT_EQ(grid.cellBackColor(5, 1), Palette::colour(15));
}

TEST_F(FlexGridTest, CellsKeepTextsAndColoursAndCannotBeEdited) {
    grid.setText(0, 1, u"月"_s);
    grid.setText(2, 3, u"日勤"_s);
    grid.setCellBackColor(2, 3, Palette::colour(10));
    grid.setCellForeColor(2, 3, Palette::colour(12));
    EXPECT_EQ(grid.text(0, 1), u"月"_s);
    EXPECT_EQ(grid.text(2, 3), u"日勤"_s);
    EXPECT_EQ(grid.text(3, 3), QString());
    EXPECT_EQ(grid.cellBackColor(2, 3), Palette::colour(10));
    EXPECT_EQ(grid.cellForeColor(2, 3), Palette::colour(12));
    EXPECT_FALSE(grid.item(2, 3)->flags() & Qt::ItemIsEditable);

    grid.paintRow(1, Palette::colour(14));
    EXPECT_EQ(grid.cellBackColor(1, 0), Palette::fixedCellBackground()); // heading untouched
    EXPECT_EQ(grid.cellBackColor(1, 4), Palette::colour(14));
}

TEST_F(FlexGridTest, ClearEmptiesCellsButKeepsTheShape) {
    grid.setColWidthTwips(2, 1500);
    grid.setText(0, 2, u"見出し"_s);
    grid.setText(2, 2, u"A"_s);
    grid.setCellBackColor(2, 2, Palette::colour(12));
    grid.merge(1, 1, 1, 3);
    grid.clearGrid();
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.columnWidth(2), 100);
    EXPECT_EQ(grid.text(0, 2), QString());
    EXPECT_EQ(grid.text(2, 2), QString());
    EXPECT_EQ(grid.cellBackColor(2, 2), Palette::colour(15));
    EXPECT_EQ(grid.cellBackColor(0, 2), Palette::fixedCellBackground());
    EXPECT_EQ(grid.columnSpan(1, 1), 1);
}

TEST_F(FlexGridTest, AddItemAppendsATabSeparatedRow) {
    grid.addItem(u"1\t山田\t\t日勤\t公休\t余り"_s);
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.text(4, 0), u"1"_s);
    EXPECT_EQ(grid.text(4, 1), u"山田"_s);
    EXPECT_EQ(grid.text(4, 2), QString());
    EXPECT_EQ(grid.text(4, 4), u"公休"_s); // parts beyond the last column are dropped
    EXPECT_EQ(grid.cellBackColor(4, 0), Palette::fixedCellBackground());
    grid.addItem(u"2"_s);
    EXPECT_EQ(grid.rows(), 6);
    EXPECT_EQ(grid.text(5, 0), u"2"_s);
}

TEST_F(FlexGridTest, TwipsAndClicksUseTheGridsOwnNumbers) {
    EXPECT_EQ(Units::twipsToPixels(15), 1);
    EXPECT_EQ(Units::twipsToPixels(1440), 96);
    grid.setRowHeightTwips(1, 450);
    EXPECT_EQ(grid.rowHeight(1), 30);

    grid.resize(600, 300);
    grid.show();
    QSignalSpy spy(&grid, &FlexGrid::cellClickedAt);
    const QRect cell = grid.visualRect(grid.model()->index(2, 3));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
}

// The cell a clerk sees at a point of the grid, whichever view draws it there.
std::pair<int, int> cellShownAt(FlexGrid& grid, QPoint inGrid) {
    QWidget* port = grid.childAt(inGrid);
    auto* view = port ? qobject_cast<QTableView*>(port->parentWidget()) : nullptr;
    if (!view)
        return {-1, -1};
    const QModelIndex index = view->indexAt(port->mapFrom(&grid, inGrid));
    return {index.row(), index.column()};
}

TEST(FlexGridScrolling, FixedRowsAndColumnsStayInViewWhileTheRestScrolls) {
    FlexGrid grid;
    grid.setRows(60);
    grid.setCols(40);
    grid.setFixedRows(2);
    grid.setFixedCols(2);
    for (int c = 0; c < 40; ++c)
        grid.setColWidthTwips(c, c == 0 ? 1200 : 300);
    grid.resize(400, 300);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    ASSERT_GT(grid.verticalScrollBar()->value(), 10);
    ASSERT_GT(grid.horizontalScrollBar()->value(), 10);

    const QPoint origin = grid.viewport()->geometry().topLeft();
    const int fixedWidth = grid.columnWidth(0) + grid.columnWidth(1);
    const int fixedHeight = grid.rowHeight(0) + grid.rowHeight(1);
    struct Case {
        QPoint at;
        int row, col; // -2: any scrolled (free) row or column
    };
    const Case cases[] = {
        {{5, 5}, 0, 0},                                     // corner
        {{grid.columnWidth(0) + 5, fixedHeight - 5}, 1, 1}, // corner, second row and column
        {{fixedWidth + 5, 5}, 0, -2},                       // heading row over a scrolled column
        {{5, fixedHeight + 5}, -2, 0},                      // name column beside a scrolled row
        {{fixedWidth + 5, fixedHeight + 5}, -2, -2},        // the scrolled cells themselves
    };
    for (const Case& c : cases) {
        const auto [row, col] = cellShownAt(grid, origin + c.at);
        const std::string at = std::to_string(c.at.x()) + "," + std::to_string(c.at.y());
        if (c.row == -2) {
            EXPECT_GT(row, 10) << at;
        } else {
            EXPECT_EQ(row, c.row) << at;
        }
        if (c.col == -2) {
            EXPECT_GT(col, 10) << at;
        } else {
            EXPECT_EQ(col, c.col) << at;
        }
    }

    // A click on a heading that stayed in view reports that heading's cell, and the heading
    // row scrolled sideways with the grid: it names the column under it.
    QSignalSpy spy(&grid, &FlexGrid::cellClickedAt);
    const QPoint heading = origin + QPoint(fixedWidth + 5, 5);
    QWidget* port = grid.childAt(heading);
    QTest::mouseClick(port, Qt::LeftButton, {}, port->mapFrom(&grid, heading));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 0);
    EXPECT_EQ(spy.at(0).at(1).toInt(),
              cellShownAt(grid, origin + QPoint(fixedWidth + 5, fixedHeight + 5)).second);

    // Without fixed rows and columns nothing lies over the grid.
    grid.setFixedRows(0);
    grid.setFixedCols(0);
    EXPECT_EQ(cellShownAt(grid, origin + QPoint(5, 5)).first, grid.verticalScrollBar()->value());
}

} // namespace
