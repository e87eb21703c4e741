#pragma once
// The program's own pictures: the icons of the message boxes and the picture
// of the learner-selection window. Drawn once, on first use.
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace frmImages {
const QPixmap& picmessage();
const QPixmap& picSaved();
const QPixmap& picStop();
const QPixmap& picQuestion();
const QPixmap& picError();
// The fourth image of the image list: the learner-selection window's picture.
const QPixmap& learnerPicture();
// The learner of that picture drawn into target at the painter's own
// resolution, however large: sharp on any screen.
void paintLearner(QPainter& painter, const QRectF& target);
} // namespace frmImages
