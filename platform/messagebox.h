#pragma once
// The standard message box, with a seam through which tests answer it.
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>

namespace msgbox {

// Style values of the standard message box.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbDefaultButton2 = 256;
constexpr int vbInformation = 0x40;
// Answer codes.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

struct Shown {
    QString title;
    QString text;
    int buttons = 0;         // style value as passed
    QStringList buttonNames; // "OK", or "Yes", "No"
    int defaultAnswer = vbOK;
    bool hasIcon = false;
    qint64 iconKey = 0; // QPixmap::cacheKey() of the icon shown
    int answer = 0;
    // Whether the program showed the hourglass up to the box (the box itself
    // shows the pointer).
    bool afterWaitCursor = false;
};

// Shows a box (or hands it to the installed answerer) and returns its answer code.
int show(const QString& prompt, int buttons, const QString& title, const QPixmap& icon);

// While a HeldBoxes lives, a box with the OK button alone is answered OK at
// once and shown when the (outermost) HeldBoxes ends, in the order they came:
// work that holds the database locked (a page's Save inside its transaction)
// shows what it has to say once it has let go, not while the user reads.
class HeldBoxes {
public:
    HeldBoxes();
    ~HeldBoxes();
    HeldBoxes(const HeldBoxes&) = delete;
    HeldBoxes& operator=(const HeldBoxes&) = delete;
};

// Test seam: while an answerer is installed no real box is shown; it sees each
// box and returns the answer code. Every box is recorded in shownBoxes().
using Answerer = std::function<int(const Shown&)>;
void setAnswerer(Answerer answerer);
// Answers the default button of every box (Yes/No boxes: No).
int answerDefault(const Shown& box);
QList<Shown>& shownBoxes();

} // namespace msgbox
