#include "platform/entryguard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <memory>

namespace entryguard {

namespace {

bool keptControl(QChar c) {
    return c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool refusedCharacter(QChar c) {
    return c.category() == QChar::Other_Control && !keptControl(c);
}

QString codeOf(QChar c) {
    return QStringLiteral("U+") +
           QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

// The event filter of a guarded box.
class BoxGuard : public QObject {
public:
    BoxGuard(QLineEdit* box, std::function<void(const QString&)> say, std::function<int()> limit,
             QString entry)
        : QObject(box), m_box(box), m_say(std::move(say)), m_limit(std::move(limit)),
          m_entry(std::move(entry)) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::inputRejected, this, [this] { typedPastLimit(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_box || m_box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                return refused(QApplication::clipboard()->text());
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                QApplication::clipboard()->supportsSelection())
                return refused(QApplication::clipboard()->text(QClipboard::Selection));
            break;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData() && drop->mimeData()->hasText() &&
                refused(drop->mimeData()->text(), false)) {
                drop->ignore();
                return true;
            }
            break;
        }
        case QEvent::ContextMenu:
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::FocusIn:
            m_toldLimit = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    int limit() const { return m_limit ? m_limit() : m_box->maxLength(); }

    // True (and said) when the box refuses text pasted over its selection.
    bool refused(const QString& text, bool overSelection = true) {
        const qsizetype kept =
            m_box->text().size() - (overSelection ? m_box->selectedText().size() : 0);
        const QString why = pasteRefusal(text, kept + text.size(), limit(), m_entry);
        if (why.isEmpty())
            return false;
        QApplication::beep();
        m_say(why);
        return true;
    }

    // The box's own menu, its Paste guarded as the keys are.
    void showMenu(const QPoint& at) {
        std::unique_ptr<QMenu> menu(m_box->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->objectName() != QLatin1String("edit-paste"))
                continue;
            action->disconnect();
            const QPointer<QLineEdit> box(m_box);
            connect(action, &QAction::triggered, this, [this, box] {
                if (box && !refused(QApplication::clipboard()->text()))
                    box->paste();
            });
        }
        menu->exec(at);
    }

    void typedPastLimit() {
        const int max = limit();
        if (m_toldLimit || max <= 0 || m_box->text().size() < max)
            return;
        m_toldLimit = true;
        m_say(typingRefusal(max, m_entry));
    }

    QLineEdit* m_box;
    std::function<void(const QString&)> m_say;
    std::function<int()> m_limit;
    QString m_entry;
    bool m_toldLimit = false;
};

} // namespace

std::optional<QChar> controlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (refusedCharacter(c))
            return c;
    }
    return std::nullopt;
}

QString pasteRefusal(const QString& pasted, qsizetype lengthAfter, int limit,
                     const QString& entry) {
    if (const std::optional<QChar> c = controlCharacter(pasted)) {
        return "The text you pasted holds a control character (" + codeOf(*c) + ") that this " +
               entry +
               " cannot keep, so nothing was pasted. Please paste the "
               "text without it.";
    }
    if (limit > 0 && lengthAfter > limit) {
        return "The text you pasted is " + QString::number(pasted.size()) +
               " characters long and this " + entry + " takes at most " + QString::number(limit) +
               " characters" +
               (lengthAfter > pasted.size()
                    ? " (with the " + QString::number(lengthAfter - pasted.size()) +
                          " characters it holds)"
                    : QString()) +
               ", so nothing was pasted. Please paste a shorter text.";
    }
    return QString();
}

QString typingRefusal(int limit, const QString& entry) {
    return "This " + entry + " takes at most " + QString::number(limit) +
           " characters: it is full, and what you type now is not taken.";
}

void guardBox(QLineEdit* box, std::function<void(const QString&)> say, std::function<int()> limit,
              const QString& entry) {
    new BoxGuard(box, std::move(say), std::move(limit), entry);
}

} // namespace entryguard
