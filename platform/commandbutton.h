#pragma once
// A command button whose caption wraps onto further lines when it is wider
// than the button, as the runtime's buttons do.
#include <QPushButton>

class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);

    // Where the caption is drawn, and how.
    QRect captionRect() const;
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

protected:
    void paintEvent(QPaintEvent* event) override;
};
