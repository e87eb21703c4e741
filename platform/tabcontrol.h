#pragma once
// The tabbed control of the tabbed pages: Tab is the index of the tab on show,
// counting from 0.
#include <QTabWidget>

class TabControl : public QTabWidget {
    Q_OBJECT

public:
    explicit TabControl(QWidget* parent = nullptr) : QTabWidget(parent) {}
    int Tab() const { return currentIndex(); }
    void setTab(int index) { setCurrentIndex(index); }
};
