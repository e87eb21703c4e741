#pragma once
// Windows of later folders are shown by name, so that a window can open one
// that lives in a folder built after its own. Each folder registers its forms
// (registerProfileForms() and the like, called from main and the tests).
//
// A form runs modally and returns the name of the form to show next, or the
// empty text to return to the window that started the chain. showFormChain
// runs the chain in a loop, so a walk back and forth between pages never
// nests one modal window inside the last.
#include <QString>
#include <functional>

using FormRunner = std::function<QString()>;

void registerForm(const QString& name, FormRunner runner);
// Registers the modal window Window under name: each showing makes a fresh
// window and runs it until it closes, and the chain returns.
template <class Window> void registerWindow(const QString& name) {
    registerForm(name, [] {
        Window window;
        window.exec();
        return QString();
    });
}
bool isFormRegistered(const QString& name);
// Shows name, then every form it hands on to, until one returns "".
// A name that is not registered shows the "not available yet" message.
void showFormChain(const QString& name);
