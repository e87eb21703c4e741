// How the windows of the learner list read: to a screen reader (the
// accessibility tree), on a dark desktop (the contrast of every text drawn
// against what is behind it) and on a screen of twice the pixel density.
#include "tests/common/paintprobe.h"
#include "tests/common/user.h"
#include "tests/common/workspacetest.h"
#include "tests/platform/qtprint.h"

#include "platform/grid.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/globals.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {

class Looks : public WorkspaceTest {};

TEST_F(Looks, TheLearnerListReadsToAScreenReaderAsItIsPainted) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid* list = w.gridLearner;
    ASSERT_EQ(list->MaxRows(), 31);
    // Tall enough to paint every row at once.
    list->setParent(nullptr);
    list->resize(list->width(), list->horizontalHeader()->height() + 31 * list->rowHeight(0) + 40);
    list->show();
    EXPECT_EQ(expectReadAsPainted(list, 1), 31 * 4);
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(list)->tableInterface()->cellAt(4, 3);
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells()[0]->text(QAccessible::Name), "Grade");
    EXPECT_EQ(cell->tableCellInterface()->rowHeaderCells()[0]->text(QAccessible::Name),
              list->GetText(2, 5));

    // A found row, a chosen one and a refilled list read as they show.
    list->setParent(&w);
    list->show();
    ASSERT_TRUE(user::showActive(&w)); // the user turns to the window again
    user::typeIntoBox(w.txtSearch, "024");
    user::click(w.Command1);
    user::clickCell(list, 2, 2);
    list->setParent(nullptr);
    list->show();
    EXPECT_EQ(expectReadAsPainted(list, 1), 31 * 4);
    user::click(w.optArchived);
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
    user::typeIntoBox(w.txtSearch, "024");
    user::click(w.Command1);              // the pale-yellow mark
    user::clickCell(w.gridLearner, 2, 3); // the chosen row
    expectReadable(&w, "learner list");

    gLearnerName = "SMITH Megan";
    gAccessionNo = "027";
    frmRER_Main menu;
    ASSERT_TRUE(user::showActive(&menu));
    user::click(menu.cmdStage3);
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
    const QImage enlarged = at1.scaled(at2.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double sharp = sharpness(at2), blurred = sharpness(enlarged);
    EXPECT_GT(sharp, 1.5 * blurred)
        << name.toStdString() << ": " << sharp << " against " << blurred;
    // The enlargements themselves fail the measure.
    EXPECT_EQ(squaresWithDetail(at1.scaled(at2.size())), 0);
}

TEST_F(Looks, ThePicturesAreSharpAtTwiceThePixelDensity) {
    frmRER_Main menu;
    menu.show();
    expectSharpAt2(menu.Image1, "main menu picture");
}

} // namespace
