#include "platform/keypress.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QObject* parent, std::function<void(int&)> keyPress)
        : QObject(parent), m_keyPress(std::move(keyPress)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
                int keyAscii = key->text().at(0).unicode();
                m_keyPress(keyAscii);
                if (keyAscii == 0)
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(int&)> m_keyPress;
};

} // namespace

void routeKeyPress(QComboBox* combo, std::function<void(int&)> keyPress) {
    auto* filter = new KeyPressFilter(combo, std::move(keyPress));
    combo->installEventFilter(filter);
    combo->view()->installEventFilter(filter);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}
