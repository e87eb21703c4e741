#include "platform/colors.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

QColor toQColor(quint32 vbColor) {
    if (vbColor & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (vbColor & 0xFF) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(vbColor & 0xFF, (vbColor >> 8) & 0xFF, (vbColor >> 16) & 0xFF);
}

quint32 fromQColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

namespace {
double relativeLuminance(const QColor& color) {
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor textColorOn(const QColor& background) {
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor readableTone(const QColor& tone, const QColor& background) {
    constexpr double kReadable = 4.5;
    if (contrastRatio(tone, background) >= kReadable)
        return tone;
    // Toward black on a light background, toward white on a dark one, in
    // small steps of lightness with the hue kept.
    const bool darken = textColorOn(background) == QColor(Qt::black);
    const QColor hsl = tone.toHsl();
    QColor candidate = tone;
    for (int step = 1; step <= 100; ++step) {
        const double l = darken ? hsl.lightnessF() * (1.0 - step / 100.0)
                                : hsl.lightnessF() + (1.0 - hsl.lightnessF()) * step / 100.0;
        candidate = QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), l);
        if (contrastRatio(candidate, background) >= kReadable)
            return candidate.toRgb();
    }
    return textColorOn(background);
}
