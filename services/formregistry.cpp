#include "services/formregistry.h"

#include "services/modextendedmsgbox.h"

#include <QHash>

namespace {
QHash<QString, FormRunner>& forms() {
    static QHash<QString, FormRunner> f;
    return f;
}
} // namespace

void registerForm(const QString& name, FormRunner runner) {
    forms().insert(name, std::move(runner));
}

bool isFormRegistered(const QString& name) {
    return forms().contains(name);
}

void showFormChain(const QString& name) {
    QString next = name;
    while (!next.isEmpty()) {
        const auto it = forms().constFind(next);
        if (it == forms().constEnd()) {
            ShowUserMessage("This part of the program is not available yet.");
            return;
        }
        next = it.value()();
    }
}
