#pragma once
// The hourglass while the program works and its windows cannot answer, from
// the start of the work until the guard goes, on every way out. A message
// box shown meanwhile shows the pointer (platform/messagebox.cpp).
#include <QApplication>

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// True while an hourglass is shown in place of the pointer.
inline bool waitCursorShown() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}
