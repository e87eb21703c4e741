#pragma once
// A command button whose caption wraps onto further lines when it is wider
// than the button, as the runtime's buttons do.
//
// The keys, as in any dialog: Space and Enter press the button that has the
// focus. A window's default button (setDefault) is pressed by Enter while
// the focus is on no other button; a button is never made the default by
// having had the focus (Enter in a text box presses nothing else).
#include <QColor>
#include <QPushButton>

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);

    // Where the caption is drawn, and how.
    QRect captionRect() const;
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

    // The background the program gives the button, as a colour value; a
    // system colour (the button face) gives back the style's own. The caption
    // then takes the text colour that goes with it, whatever the palette.
    void setFace(quint32 color);
    // The colour the caption is drawn in.
    QColor captionColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_face; // invalid: the style's button face
};
