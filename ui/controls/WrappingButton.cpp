#include "WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear(); // the style draws bevel and focus frame, we draw the caption
    painter.drawControl(QStyle::CE_PushButton, option);

    painter.drawItemText(captionRect(option), CaptionFlags, palette(), isEnabled(), caption, QPalette::ButtonText);
}

bool WrappingButton::captionFits(QSize size) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), size);
    const QRect contents = captionRect(option);
    const QRect needed = option.fontMetrics.boundingRect(contents, CaptionFlags, text());
    return needed.width() <= contents.width() && needed.height() <= contents.height();
}

QRect WrappingButton::captionRect(const QStyleOptionButton &option) const
{
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}
