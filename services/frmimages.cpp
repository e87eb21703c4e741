#include "services/frmimages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace frmImages {
namespace {

constexpr int kSize = 32;

QPixmap canvas() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap roundBadge(const QColor& fill, const QString& glyph) {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, kSize - 4, kSize - 4));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, glyph);
    return pm;
}

QPixmap drawSaved() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x6f, 0x2f), 1.5));
    p.setBrush(QColor(0x3c, 0xa0, 0x4f));
    p.drawRoundedRect(QRectF(2, 2, kSize - 4, kSize - 4), 5, 5);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(8, 16), QPointF(14, 22), QPointF(24, 10)}));
    return pm;
}

QPixmap drawStop() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * M_PI / 180.0;
        octagon << QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
    }
    p.setPen(QPen(QColor(0x80, 0, 0), 1.5));
    p.setBrush(QColor(0xc8, 0x1e, 0x1e));
    p.drawPolygon(octagon);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
    return pm;
}

QPixmap drawLearner() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paintLearner(p, QRectF(0, 0, 64, 64));
    return pm;
}

} // namespace

const QPixmap& picmessage() {
    static const QPixmap pm = roundBadge(QColor(0x2d, 0x6c, 0xc0), "i");
    return pm;
}
const QPixmap& picSaved() {
    static const QPixmap pm = drawSaved();
    return pm;
}
const QPixmap& picStop() {
    static const QPixmap pm = drawStop();
    return pm;
}
const QPixmap& picQuestion() {
    static const QPixmap pm = roundBadge(QColor(0x3a, 0x8d, 0xb5), "?");
    return pm;
}
const QPixmap& picError() {
    static const QPixmap pm = roundBadge(QColor(0xc8, 0x1e, 0x1e), "!");
    return pm;
}
void paintLearner(QPainter& p, const QRectF& target) {
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / 64, target.height() / 64);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2d, 0x5f, 0x9a));
    p.drawEllipse(QRectF(22, 6, 20, 20));
    QPainterPath body;
    body.moveTo(12, 60);
    body.cubicTo(12, 34, 52, 34, 52, 60);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(0xf2, 0xc1, 0x4e));
    p.drawRect(QRectF(36, 40, 20, 16));
    p.restore();
}

const QPixmap& learnerPicture() {
    static const QPixmap pm = drawLearner();
    return pm;
}

} // namespace frmImages
