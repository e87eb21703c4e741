#pragma once
// What the report windows share in their controls: a rectangle given in
// twips, and the KeyPress event of a combo box.
#include <QRect>
#include <functional>

class QComboBox;

QRect twipsRect(int left, int top, int width, int height);

// Hands every printable key typed into combo (its edit box and its list) to
// keyPress first; a key whose code keyPress sets to 0 is dropped.
void routeKeyPress(QComboBox* combo, std::function<void(int&)> keyPress);
