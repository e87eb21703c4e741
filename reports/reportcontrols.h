#pragma once
// What the report windows share in their controls: the KeyPress event of a
// combo box.
#include "platform/runtime.h"

#include <functional>

class QComboBox;

// Hands every printable key typed into combo (its edit box and its list) to
// keyPress first; a key whose code keyPress sets to 0 is dropped.
void routeKeyPress(QComboBox* combo, std::function<void(int&)> keyPress);
