#include "tests/common/paintprobe.h"

#include "platform/colors.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QWidget>

namespace {

// A paint engine that draws nothing and writes down every text.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen();
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QString text = item.text();
        if (text.trimmed().isEmpty())
            return;
        const QFontMetricsF metrics(item.font());
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        texts.append({text, m_transform.mapRect(box), m_pen.color(), {}, 0});
    }
    QList<PaintedText> texts;

private:
    QPen m_pen;
    QTransform m_transform;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : m_size(size) {}
    ~RecordingDevice() override = default;
    QPaintEngine* paintEngine() const override { return &m_engine; }
    TextRecorder& recorder() { return m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / 96);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / 96);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize m_size;
    mutable TextRecorder m_engine;
};

// The colour most pixels of the box have.
QColor mostCommonColour(const QImage& image, const QRectF& box) {
    const QRect area = box.toAlignedRect().intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return QColor::fromRgb(best);
}

} // namespace

QList<PaintedText> paintedTexts(QWidget* widget) {
    RecordingDevice device(widget->size());
    widget->render(&device);
    QList<PaintedText> texts = device.recorder().texts;
    const QImage picture = renderAt(widget, 1).convertToFormat(QImage::Format_RGB32);
    for (PaintedText& t : texts) {
        t.background = mostCommonColour(picture, t.rect);
        t.contrast = contrastRatio(t.color, t.background);
    }
    return texts;
}

QString joinedTexts(const QList<PaintedText>& texts) {
    QStringList lines;
    for (const PaintedText& t : texts)
        lines << t.text;
    return lines.join(" | ");
}

QImage renderAt(QWidget* widget, qreal devicePixelRatio) {
    QImage image(widget->size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(widget->palette().color(QPalette::Window));
    widget->render(&image);
    return image;
}

QPalette darkPalette() {
    QPalette p;
    const QColor window(0x2d, 0x2d, 0x2d), base(0x1e, 0x1e, 0x1e), text(240, 240, 240);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::BrightText, Qt::white);
        p.setColor(group, QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::ToolTipBase, base);
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
        p.setColor(group, QPalette::Light, QColor(0x50, 0x50, 0x50));
        p.setColor(group, QPalette::Midlight, QColor(0x45, 0x45, 0x45));
        p.setColor(group, QPalette::Mid, QColor(0x30, 0x30, 0x30));
        p.setColor(group, QPalette::Dark, QColor(0x20, 0x20, 0x20));
        p.setColor(group, QPalette::Shadow, Qt::black);
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xa0, 0xa0, 0xa0));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0xa0, 0xa0, 0xa0));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xa0, 0xa0, 0xa0));
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    return p;
}

DarkDesktop::DarkDesktop() : m_before(QApplication::palette()) {
    QApplication::setPalette(darkPalette());
}

DarkDesktop::~DarkDesktop() {
    QApplication::setPalette(m_before);
}
