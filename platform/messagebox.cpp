#include "platform/messagebox.h"

#include "platform/waitcursor.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace msgbox {
namespace {
Answerer g_answerer;
QList<Shown> g_shown;

// A box is answered with the pointer, though the work that shows it has the
// hourglass up: the work's cursors are put back once the box is answered.
class PointerWhileAsked {
public:
    PointerWhileAsked() {
        while (const QCursor* cursor = QApplication::overrideCursor()) {
            m_cursors.prepend(*cursor);
            QApplication::restoreOverrideCursor();
        }
    }
    ~PointerWhileAsked() {
        for (const QCursor& cursor : std::as_const(m_cursors))
            QApplication::setOverrideCursor(cursor);
    }
    PointerWhileAsked(const PointerWhileAsked&) = delete;
    PointerWhileAsked& operator=(const PointerWhileAsked&) = delete;

private:
    QList<QCursor> m_cursors; // the first set first
};
struct HeldBox {
    QString prompt;
    int buttons;
    QString title;
    QPixmap icon;
};
int g_holds = 0;
QList<HeldBox> g_held;
} // namespace

HeldBoxes::HeldBoxes() {
    ++g_holds;
}

HeldBoxes::~HeldBoxes() {
    if (--g_holds > 0)
        return;
    while (!g_held.isEmpty()) {
        const HeldBox box = g_held.takeFirst();
        show(box.prompt, box.buttons, box.title, box.icon);
    }
}

void setAnswerer(Answerer answerer) {
    g_answerer = std::move(answerer);
}

QList<Shown>& shownBoxes() {
    return g_shown;
}

int answerDefault(const Shown& box) {
    return box.defaultAnswer;
}

int show(const QString& prompt, int buttons, const QString& title, const QPixmap& icon) {
    Shown box;
    box.title = title;
    box.text = prompt;
    box.buttons = buttons;
    box.hasIcon = !icon.isNull();
    box.iconKey = box.hasIcon ? icon.cacheKey() : 0;
    const bool yesNo = (buttons & 0x0F) == vbYesNo;
    if (g_holds > 0 && (buttons & 0x0F) == vbOKOnly) {
        g_held.append({prompt, buttons, title, icon});
        return vbOK;
    }
    box.buttonNames = yesNo ? QStringList{"Yes", "No"} : QStringList{"OK"};
    if (yesNo)
        box.defaultAnswer = (buttons & vbDefaultButton2) ? vbNo : vbYes;
    box.afterWaitCursor = waitCursorShown();

    if (g_answerer) {
        box.answer = g_answerer(box);
        g_shown.append(box);
        return box.answer;
    }

    const PointerWhileAsked pointer;
    QMessageBox mb(QApplication::activeWindow());
    mb.setWindowTitle(title);
    // The text is shown as it stands, never read as markup.
    mb.setTextFormat(Qt::PlainText);
    mb.setText(prompt);
    if (box.hasIcon)
        mb.setIconPixmap(icon);
    else if (buttons & vbInformation)
        mb.setIcon(QMessageBox::Information);
    if (yesNo) {
        QPushButton* yes = mb.addButton(QMessageBox::Yes);
        QPushButton* no = mb.addButton(QMessageBox::No);
        mb.setDefaultButton(box.defaultAnswer == vbNo ? no : yes);
        mb.setEscapeButton(no); // Escape and the close box answer No
        mb.exec();
        box.answer = mb.clickedButton() == yes ? vbYes : vbNo;
    } else {
        QPushButton* ok = mb.addButton(QMessageBox::Ok);
        mb.setDefaultButton(ok);
        mb.setEscapeButton(ok);
        mb.exec();
        box.answer = vbOK;
    }
    g_shown.append(box);
    return box.answer;
}

} // namespace msgbox
