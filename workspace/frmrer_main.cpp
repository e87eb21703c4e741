#include "workspace/frmrer_main.h"

#include "platform/colors.h"
#include "platform/commandbutton.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/formregistry.h"
#include "services/frmimages.h"
#include "services/globals.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace {

// The menu's picture: a row of learners on a light band, drawn afresh at the
// resolution of the screen it is on (a sharp picture at any pixel ratio).
class MenuPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF band = QRectF(rect()).adjusted(1, 1, -1, -1);
        QLinearGradient fill(band.topLeft(), band.bottomLeft());
        fill.setColorAt(0, QColor(0xe6, 0xef, 0xfa));
        fill.setColorAt(1, QColor(0xc9, 0xdb, 0xf0));
        p.setPen(QPen(QColor(0x9d, 0xb6, 0xd6), 1));
        p.setBrush(fill);
        p.drawRoundedRect(band, 8, 8);
        const int ground = height() - 14;
        const int sizes[] = {72, 88, 80, 96, 76, 90};
        const int count = static_cast<int>(std::size(sizes));
        const int step = width() / (count + 1);
        for (int i = 0; i < count; ++i) {
            const int size = sizes[i];
            frmImages::paintLearner(p,
                                    QRectF(step * (i + 1) - size / 2, ground - size, size, size));
        }
        p.setPen(QPen(QColor(0x2d, 0x5f, 0x9a), 2));
        p.drawLine(QPointF(step / 2.0, ground), QPointF(width() - step / 2.0, ground));
    }
};

QPushButton* sectionButton(const QString& caption, QWidget* parent, int left, int top, int width) {
    auto* b = new CommandButton(caption, parent);
    b->setGeometry(twipsRect(left, top, width, 495));
    return b;
}
} // namespace

frmRER_Main::frmRER_Main(QWidget* parent) : QDialog(parent) {
    setObjectName("frmRER_Main");
    setFixedSize(twips(10575), twips(6720));

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(twipsRect(120, 60, 10335, 615));
    lblLearner = new QLabel(Frame2);
    lblLearner->setGeometry(twipsRect(120, 200, 10095, 315));
    QFont bold = lblLearner->font();
    bold.setBold(true);
    lblLearner->setFont(bold);

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(120, 720, 10335, 3855));
    Label2 = new QLabel("CLICK on the MAIN MENU link to view the sub menu", Frame1);
    Label2->setGeometry(twipsRect(4800, 360, 5400, 255));

    const std::array<QString, 4> stageCaptions = {
        "Background and Diagnostic Profile", "Identify Barriers to Learning and ISP",
        "Assessment of support requirements",
        "Action plan for additional support provision and monitoring"};
    const std::array<int, 4> buttonTops = {720, 1560, 2400, 3240};
    const std::array<int, 4> lineTops = {900, 1755, 2640, 3405};
    const std::array<QString, 4> frameCaptions = {
        "RER (Sections 1 and 2) Support needs assessment",
        "RER (Sections 1 and 2) Support needs assessment",
        "RER (Sections 3a and 3b) Assessment of support requirements",
        "RER (Section 4) Action plan for additional support"};
    for (int k = 0; k < 4; ++k) {
        stageLabels[k] = new QLabel(QString("STAGE %1").arg(k + 1), Frame1);
        stageLabels[k]->setGeometry(twipsRect(120, buttonTops[k] - 240, 2000, 240));
        stageButtons[k] = new SaveButton(stageCaptions[k], Frame1);
        stageButtons[k]->setGeometry(twipsRect(120, buttonTops[k], 4365, 375));
        lines[k] = new QFrame(Frame1);
        lines[k]->setFrameShape(QFrame::HLine);
        lines[k]->setFrameShadow(QFrame::Plain);
        lines[k]->setLineWidth(1);
        lines[k]->setGeometry(twips(4440), twips(lineTops[k]) - 1, twips(4800 - 4440), 3);
        lines[k]->hide();
        subMenus[k] = new QGroupBox(frameCaptions[k], Frame1);
        subMenus[k]->setGeometry(twipsRect(4800, 700, k < 2 ? 4600 : 5450, 2775));
        subMenus[k]->hide();
    }
    connect(cmdStage1, &QPushButton::clicked, this, [this] { cmdStage1_Click(); });
    connect(cmdStage2, &QPushButton::clicked, this, [this] { cmdStage2_Click(); });
    connect(cmdStage3, &QPushButton::clicked, this, [this] { cmdStage3_Click(); });
    connect(cmdStage4, &QPushButton::clicked, this, [this] { cmdStage4_Click(); });

    cmdBackground =
        sectionButton("Section 1 : Background information on learner", fraStage1, 600, 840, 3600);
    cmdDiagnosticProfile = sectionButton("DP: Diagnostic Profile", fraStage1, 600, 1560, 3600);
    cmdExtendedProfile =
        sectionButton("Section 2 : Extended profile of learner needs", fraStage2, 600, 840, 3600);
    cmdISP = sectionButton("ISP: Individual Support Plan", fraStage2, 600, 1560, 3600);
    cmdSection3a =
        sectionButton("Section 3a : Assessment of support requirements", fraStage3, 600, 840, 4400);
    cmdSection3b = sectionButton("Section 3b: School request form for additional support",
                                 fraStage3, 600, 1560, 4400);
    cmdSection4 =
        sectionButton("Section 4: Action plan for additional support provision and monitoring",
                      fraStage4, 120, 840, 5210);
    connect(cmdBackground, &QPushButton::clicked, this, [this] { cmdBackground_Click(); });
    connect(cmdDiagnosticProfile, &QPushButton::clicked, this,
            [this] { cmdDiagnosticProfile_Click(); });
    connect(cmdExtendedProfile, &QPushButton::clicked, this,
            [this] { cmdExtendedProfile_Click(); });
    connect(cmdISP, &QPushButton::clicked, this, [this] { cmdISP_Click(); });
    connect(cmdSection3a, &QPushButton::clicked, this, [this] { cmdSection3a_Click(); });
    connect(cmdSection3b, &QPushButton::clicked, this, [this] { cmdSection3b_Click(); });
    connect(cmdSection4, &QPushButton::clicked, this, [this] { cmdSection4_Click(); });

    cmdMainMenu = new CommandButton("Learner Selection", this);
    cmdMainMenu->setGeometry(twipsRect(8040, 6225, 2415, 375));
    connect(cmdMainMenu, &QPushButton::clicked, this, [this] { cmdMainMenu_Click(); });

    Image1 = new MenuPicture(this);
    Image1->setGeometry(twipsRect(120, 4680, 7800, 1920));

    Form_Load();
}

void frmRER_Main::Form_Load() {
    setWindowTitle("Support needs assessment [MAIN MENU] Learner : " + gLearnerName);
    lblLearner->setText(gLearnerName + " : Acc Number: " + gAccessionNo);
}

void frmRER_Main::show_Sub_Menu(qint16 vMenu) {
    if (vMenu < 1 || vMenu > 4)
        return;
    const int k = vMenu - 1;
    subMenus[k]->setGeometry(twipsRect(4800, 700, k < 2 ? 4600 : 5450, 2775));
    subMenus[k]->show();
    lines[k]->show();
    for (int i = 0; i < 4; ++i) {
        if (i != k) {
            subMenus[i]->hide();
            lines[i]->hide();
        }
        stageButtons[i]->setBackColor(i == k ? vbYellow : vbButtonFace);
    }
}

// Each section opens its first page; the page walks on to its neighbours by
// itself and the menu is back when the last page of the walk closes.
void frmRER_Main::cmdBackground_Click() {
    showFormChain("frmBackgroundInfo");
}
void frmRER_Main::cmdDiagnosticProfile_Click() {
    showFormChain("frmHealthReport");
}
void frmRER_Main::cmdExtendedProfile_Click() {
    showFormChain("frmExtendedProfile1");
}
void frmRER_Main::cmdISP_Click() {
    showFormChain("frmISP");
}
void frmRER_Main::cmdSection3a_Click() {
    showFormChain("frmAssessment_Support_Reg1");
}
void frmRER_Main::cmdSection3b_Click() {
    showFormChain("frmSchoolRequestSupport");
}
void frmRER_Main::cmdSection4_Click() {
    showFormChain("frmActionPlan");
}

void frmRER_Main::cmdMainMenu_Click() {
    done(QDialog::Accepted);
}

void frmRER_Main::closeEvent(QCloseEvent* event) {
    // Closing the menu is the same as Learner Selection.
    event->accept();
    done(QDialog::Accepted);
}
