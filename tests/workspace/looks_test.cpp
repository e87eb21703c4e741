// How the windows of the learner list read: to a screen reader (the
// accessibility tree), on a dark desktop (the contrast of every text drawn
// against what is behind it) and on a screen of twice the pixel density.
#include "tests/common/fixture.h"
#include "tests/common/paintprobe.h"
#include "tests/common/user.h"

#include "platform/grid.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/formregistry.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QAccessible>
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

TEST_F(Looks, Probe) {
    const DarkDesktop dark;
    frmSelectLearner w;
    w.show();
    const auto texts = paintedTexts(&w);
    for (const auto& t : texts)
        std::printf("%-40s %s on %s  %.2f  (%g,%g %gx%g)\n", qPrintable(t.text), qPrintable(t.color.name()),
                    qPrintable(t.background.name()), t.contrast, t.rect.x(), t.rect.y(), t.rect.width(), t.rect.height());
}

} // namespace
