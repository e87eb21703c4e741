#pragma once
// The KeyPress event of a combo box: the bridge from a printable key to the
// window's handler of keyAscii, which may drop the key.
#include <functional>

class QComboBox;

// Hands every printable key typed into combo (its edit box and its list) to
// keyPress first; a key whose code keyPress sets to 0 is dropped.
void routeKeyPress(QComboBox* combo, std::function<void(int&)> keyPress);
