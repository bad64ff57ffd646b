#pragma once

#include <QPushButton>

class QStyleOptionButton;

// A push button whose caption wraps onto several lines when the button is
// narrower than the caption; text() stays the caption as given.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Whether the whole caption, wrapped, fits a button of this size.
    bool captionFits(QSize size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QRect captionRect(const QStyleOptionButton &option) const;
};
