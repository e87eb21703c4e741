#pragma once
// The program's own pictures: the icons of the message boxes and the picture
// of the learner-selection window. Drawn once, on first use.
#include <QPixmap>

namespace frmImages {
const QPixmap& picmessage();
const QPixmap& picSaved();
const QPixmap& picStop();
const QPixmap& picQuestion();
const QPixmap& picError();
// The fourth image of the image list: the learner-selection window's picture.
const QPixmap& learnerPicture();
} // namespace frmImages
