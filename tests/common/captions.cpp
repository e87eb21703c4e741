#include "tests/common/captions.h"

#include "platform/commandbutton.h"
#include "platform/reportengine.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace {

// The room a caption keeps from the next thing on its line, in twips.
constexpr int kReportGap = 60;

QString describe(const QWidget* w, const QString& text, const QString& why) {
    return QString("%1 \"%2\": %3")
        .arg(w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName(), text, why);
}

// Where a control's caption is drawn, in the window's coordinates; an empty
// rectangle for controls without a caption. Adds the control to cut when its
// caption does not fit the control.
QRect captionInk(QWidget& window, QWidget* w, QStringList& cut) {
    const auto toWindow = [&](const QRect& r) {
        return QRect(w->mapTo(&window, r.topLeft()), r.size());
    };
    const QFontMetrics fm(w->font());
    // A caption laid out in its room: the control is cut when it needs more.
    const auto laidOut = [&](const QString& text, const QRect& room, int flags) {
        const QRect ink = fm.boundingRect(room, flags, text);
        if (ink.width() > room.width() || ink.height() > room.height())
            cut << describe(w, text,
                            QString("needs %1×%2 px, has %3×%4")
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(room.width())
                                .arg(room.height()));
        return toWindow(ink);
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText)
            return {};
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        return laidOut(text, room, flags);
    }
    if (auto* button = qobject_cast<CommandButton*>(w)) {
        const QString text = button->text();
        if (text.isEmpty())
            return {};
        return laidOut(text, button->captionRect(), CommandButton::kCaptionFlags);
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        const QString text = static_cast<QAbstractButton*>(w)->text();
        if (text.isEmpty())
            return {};
        const int needed = w->sizeHint().width();
        if (needed > w->width())
            cut << describe(w, text, QString("needs %1 px, has %2").arg(needed).arg(w->width()));
        return toWindow(QRect(0, 0, std::min(needed, w->width()), w->height()));
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        const QString text = button->text();
        if (text.isEmpty())
            return {};
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QRect ink = fm.boundingRect(room, Qt::AlignCenter, text);
        if (ink.width() > room.width() || ink.height() > room.height())
            cut << describe(w, text,
                            QString("needs %1 px, has %2").arg(ink.width()).arg(room.width()));
        return toWindow(ink);
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        const QString text = box->title();
        if (text.isEmpty())
            return {};
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = box->alignment();
        option.lineWidth = 1;
        const QRect ink = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, box);
        if (ink.right() > box->rect().right())
            cut << describe(
                w, text,
                QString("ends at %1 px, the frame at %2").arg(ink.right()).arg(box->width()));
        return toWindow(ink);
    }
    return {};
}

} // namespace

QStringList cutCaptions(QWidget& window) {
    QStringList cut;
    QList<QWidget*> shown;
    QList<QRect> inks;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->isWindow())
            continue;
        shown << w;
        inks << captionInk(window, w, cut);
    }
    // A caption must not run into a control beside it: any other control
    // shown, but for its own parents and children (a frame's title is checked
    // against what the frame holds).
    for (int i = 0; i < shown.size(); ++i) {
        if (inks[i].isEmpty())
            continue;
        for (int j = 0; j < shown.size(); ++j) {
            QWidget* other = shown[j];
            if (i == j || other->isAncestorOf(shown[i]))
                continue;
            const bool title = qobject_cast<QGroupBox*>(shown[i]) != nullptr;
            if (shown[i]->isAncestorOf(other) && !title)
                continue;
            if (!other->isAncestorOf(shown[i]) &&
                other->metaObject()->className() == QStringLiteral("QFrame"))
                continue; // lines
            const QRect box(other->mapTo(&window, QPoint(0, 0)), other->size());
            // A neighbour's own caption, where it has one, is what it shows.
            const QRect target = inks[j].isEmpty() ? box : inks[j];
            if (inks[i].intersects(target))
                cut << describe(shown[i], QString(),
                                QString("runs into %1").arg(describe(other, QString(), QString())));
        }
    }
    cut.removeDuplicates();
    return cut;
}

namespace {

void checkSection(const report::Section& section, const QString& where, int printableWidth,
                  const QString& title, QStringList& cut) {
    using report::Item;
    for (const Item& item : section.items) {
        if (item.kind != Item::Text)
            continue;
        QString text = item.text;
        if (text.isEmpty())
            continue; // a text object given its text at run time
        text.replace("{Title}", title).replace("{Page}", "99").replace("{Pages}", "99");
        const QFontMetricsF fm(report::itemFont(item));
        // The room to the right: the item's own width, the sheet, and the
        // next item on its line.
        double right = item.width > 0 ? item.left + item.width : printableWidth;
        double below = 1e9;
        const double lineHeight = fm.height();
        for (const Item& other : section.items) {
            if (&other == &item)
                continue;
            const bool sameLine =
                other.top < item.top + lineHeight && item.top < other.top + lineHeight;
            if (sameLine && other.kind != Item::Line && other.left > item.left)
                right = std::min(right, double(other.left - kReportGap));
            const double otherRight = other.width > 0 ? other.left + other.width : printableWidth;
            if (other.top > item.top && other.left < right && otherRight > item.left)
                below = std::min(below, double(other.top));
        }
        const double width = right - item.left;
        const QString label = QString("%1: \"%2\"").arg(where, text);
        if (!item.wrap) {
            const double needed = fm.horizontalAdvance(text);
            if (needed > width)
                cut << QString("%1 needs %2 twips, has %3")
                           .arg(label)
                           .arg(qRound(needed))
                           .arg(qRound(width));
            continue;
        }
        for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
            if (fm.horizontalAdvance(word) > width)
                cut << QString("%1: the word \"%2\" is wider than %3 twips")
                           .arg(label, word)
                           .arg(qRound(width));
        }
        const double height =
            fm.boundingRect(QRectF(0, 0, width, 1e7), int(item.align) | Qt::TextWordWrap, text)
                .height();
        if (item.top + height > below)
            cut << QString("%1 runs %2 twips into what is below it")
                       .arg(label)
                       .arg(qRound(item.top + height - below));
    }
}

} // namespace

QStringList cutCaptions(const report::Layout& layout, int printableWidth, const QString& title) {
    QStringList cut;
    const auto check = [&](const report::Section& s, const QString& part) {
        checkSection(s, layout.name + " " + part, printableWidth, title, cut);
    };
    check(layout.reportHeader, "report header");
    check(layout.pageHeader, "page header");
    for (const report::Group& g : layout.groups) {
        for (const report::Section& s : g.headers)
            check(s, "group header");
        for (const report::Section& s : g.footers)
            check(s, "group footer");
    }
    for (const report::Section& s : layout.details)
        check(s, "detail");
    check(layout.reportFooter, "report footer");
    check(layout.pageFooter, "page footer");
    for (const auto& sub : layout.subreports)
        cut << cutCaptions(*sub, printableWidth, title);
    return cut;
}
