// How the windows of the learner list read: to a screen reader (the
// accessibility tree), on a dark desktop (the contrast of every text drawn
// against what is behind it) and on a screen of twice the pixel density.
#include "tests/common/fixture.h"
#include "tests/common/paintprobe.h"
#include "tests/common/user.h"
#include "tests/platform/qtprint.h"

#include "platform/grid.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <QLabel>
#include <QLineEdit>

namespace {

class Looks : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
        registerWorkspaceForms();
    }
};

// Every text drawn keeps a contrast of at least 4.5:1 with what is behind it.
void expectReadable(QWidget* window, const QString& name) {
    const QList<PaintedText> texts = paintedTexts(window);
    EXPECT_FALSE(texts.isEmpty()) << name.toStdString();
    for (const PaintedText& t : texts) {
        EXPECT_GE(t.contrast, 4.5) << name.toStdString() << ": \"" << t.text.toStdString()
                                   << "\" in " << t.color.name().toStdString() << " on "
                                   << t.background.name().toStdString();
    }
}

// The texts a grid paints in each cell (0-based), lines joined by a blank.
QHash<QPair<int, int>, QString> paintedCells(Grid* grid) {
    QHash<QPair<int, int>, QString> cells;
    for (const PaintedText& t : paintedTexts(grid)) {
        const QPoint at = grid->viewport()->mapFrom(grid, t.rect.center().toPoint());
        const QModelIndex index = grid->indexAt(at);
        if (!index.isValid() || !grid->viewport()->rect().contains(at))
            continue;
        QString& text = cells[{index.row(), index.column()}];
        text = text.isEmpty() ? t.text : text + " " + t.text;
    }
    return cells;
}

// The header texts a grid paints, by column.
QHash<int, QString> paintedHeaders(Grid* grid) {
    QHash<int, QString> headers;
    for (const PaintedText& t : paintedTexts(grid)) {
        const QPoint at = grid->horizontalHeader()->mapFrom(grid, t.rect.center().toPoint());
        if (grid->horizontalHeader()->rect().contains(at))
            headers[grid->horizontalHeader()->logicalIndexAt(at)] = t.text;
    }
    return headers;
}

// Every shown cell reads as it is painted, with its column heading (the
// header the grid paints over it) and its row heading (the text of the row's
// first shown cell); returns the number of cells read.
int expectReadAsPainted(Grid* grid, int headingColumn) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    EXPECT_TRUE(table && table->tableInterface());
    if (!table || !table->tableInterface())
        return 0;
    QAccessibleTableInterface* cells = table->tableInterface();
    EXPECT_EQ(cells->rowCount(), grid->MaxRows());
    EXPECT_EQ(cells->columnCount(), grid->MaxCols());
    const auto painted = paintedCells(grid);
    const auto headers = paintedHeaders(grid);
    int read = 0;
    for (int r = 0; r < cells->rowCount(); ++r) {
        for (int c = 0; c < cells->columnCount(); ++c) {
            QAccessibleInterface* cell = cells->cellAt(r, c);
            EXPECT_TRUE(cell && cell->tableCellInterface());
            if (!cell || !cell->tableCellInterface())
                continue;
            if (grid->isColumnHidden(c)) {
                EXPECT_TRUE(cell->state().invisible); // not shown: not read
                continue;
            }
            ++read;
            const QString where = QString("cell %1,%2").arg(r + 1).arg(c + 1);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name), painted.value({r, c})) << where.toStdString();
            const QList<QAccessibleInterface*> columnHeads =
                cell->tableCellInterface()->columnHeaderCells();
            EXPECT_EQ(columnHeads.size(), 1) << where.toStdString();
            if (!columnHeads.isEmpty())
                EXPECT_EQ(columnHeads[0]->text(QAccessible::Name), headers.value(c))
                    << where.toStdString();
            const QList<QAccessibleInterface*> rowHeads =
                cell->tableCellInterface()->rowHeaderCells();
            EXPECT_EQ(rowHeads.size(), 1) << where.toStdString();
            if (!rowHeads.isEmpty())
                EXPECT_EQ(rowHeads[0]->text(QAccessible::Name), painted.value({r, headingColumn}))
                    << where.toStdString();
            EXPECT_EQ(cell->tableCellInterface()->table(), table);
        }
    }
    return read;
}

TEST_F(Looks, TheLearnerListReadsToAScreenReaderAsItIsPainted) {
    frmSelectLearner w;
    Grid* list = w.gridLearner;
    ASSERT_EQ(list->MaxRows(), 31);
    // Tall enough to paint every row at once.
    list->setParent(nullptr);
    list->resize(list->width(), list->horizontalHeader()->height() + 31 * list->rowHeight(0) + 40);
    list->show();
    EXPECT_EQ(expectReadAsPainted(list, 1), 31 * 4);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(list)->tableInterface()->cellAt(4, 3);
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells()[0]->text(QAccessible::Name), "Grade");
    EXPECT_EQ(cell->tableCellInterface()->rowHeaderCells()[0]->text(QAccessible::Name),
              list->GetText(2, 5));

    // A found row, a chosen one and a refilled list read as they show.
    list->setParent(&w);
    w.txtSearch->setText("024");
    w.Command1->click();
    emit list->Click(2, 2);
    list->setParent(nullptr);
    list->show();
    EXPECT_EQ(expectReadAsPainted(list, 1), 31 * 4);
    w.optArchived->click();
    EXPECT_EQ(expectReadAsPainted(list, 1), list->MaxRows() * 4);
    list->setParent(&w);
}

// The windows of the learner list with a dark palette set on the
// application: the texts the program draws on its own colours (the white
// list, the yellow buttons, the pale-yellow search mark) and on the palette's.
TEST_F(Looks, EveryTextStaysReadableOnADarkDesktop) {
    const DarkDesktop dark;
    setClockOverride(QDate(2011, 3, 1));
    frmSelectYear year;
    ASSERT_TRUE(user::showActive(&year));
    year.cboYear->setFocus();
    user::key(Qt::Key_Down);
    ASSERT_TRUE(year.cmdContinue->isUnsaved()); // yellow
    expectReadable(&year, "data-year window");
    setClockOverride(std::nullopt);

    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    w.txtSearch->setText("024");
    w.Command1->click(); // the pale-yellow mark
    emit w.gridLearner->Click(2, 3); // the chosen row
    w.gridLearner->setFocus();
    expectReadable(&w, "learner list");

    gLearnerName = "SMITH Megan";
    gAccessionNo = "027";
    frmRER_Main menu;
    ASSERT_TRUE(user::showActive(&menu));
    menu.cmdStage3->click();
    ASSERT_TRUE(menu.cmdStage3->isUnsaved()); // the chosen stage is yellow
    expectReadable(&menu, "main menu");
}

// Sharpness: how steeply the picture changes from pixel to pixel (the
// squares of the steps, so an edge drawn over one pixel counts twice an edge
// spread over two).
double sharpness(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y + 1 < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        const uchar* below = gray.constScanLine(y + 1);
        for (int x = 0; x + 1 < gray.width(); ++x)
            sum += std::pow(line[x + 1] - line[x], 2) + std::pow(below[x] - line[x], 2);
    }
    return sum / (double(gray.width()) * gray.height());
}

// The share of the picture's 2x2 squares (of device pixels) whose pixels
// differ: none in a picture drawn at 1 and enlarged pixel by pixel.
double squaresWithDetail(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int squares = 0, detailed = 0;
    for (int y = 0; y + 1 < rgb.height(); y += 2) {
        for (int x = 0; x + 1 < rgb.width(); x += 2) {
            const QRgb p = rgb.pixel(x, y);
            ++squares;
            detailed += rgb.pixel(x + 1, y) != p || rgb.pixel(x, y + 1) != p ||
                        rgb.pixel(x + 1, y + 1) != p;
        }
    }
    return squares ? double(detailed) / squares : 0;
}

// At a device pixel ratio of 2 a picture drawn for the screen uses the
// pixels it has: it has detail within every pair of device pixels that its
// edges cross (one drawn at 1 and enlarged pixel by pixel has none), and its
// edges are steeper than those of the same picture drawn at 1 and enlarged
// smoothly.
void expectSharpAt2(QWidget* picture, const QString& name) {
    const QImage at2 = renderAt(picture, 2);
    const QImage at1 = renderAt(picture, 1);
    ASSERT_EQ(at2.size(), at1.size() * 2);
    const double detail = squaresWithDetail(at2);
    EXPECT_GT(detail, 0.05) << name.toStdString();
    const QImage enlarged =
        at1.scaled(at2.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double sharp = sharpness(at2), blurred = sharpness(enlarged);
    EXPECT_GT(sharp, 1.5 * blurred) << name.toStdString() << ": " << sharp << " against "
                                    << blurred;
    // The enlargements themselves fail the measure.
    EXPECT_EQ(squaresWithDetail(at1.scaled(at2.size())), 0);
}

TEST_F(Looks, ThePicturesAreSharpAtTwiceThePixelDensity) {
    frmRER_Main menu;
    menu.show();
    expectSharpAt2(menu.Image1, "main menu picture");
}

} // namespace
