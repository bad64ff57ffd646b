#include "GameTextBox.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

void GameTextBox::keyPressEvent(QKeyEvent *event)
{
#ifndef Q_OS_MACOS // there Option+key is how many characters are typed
    // AltGr arrives as Ctrl+Alt on Windows and without Alt on X11: both stay typing.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
#endif
    QLineEdit::keyPressEvent(event);
}

void GameTextBox::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    emit keyReleased();
}

// QLineEdit's own horizontal margin: a constant of Qt's (QLineEditPrivate::horizontalMargin),
// the same whatever the style, and not offered through any public call.
constexpr int LineEditTextMargin = 2;

QRect GameTextBox::characterRect(int offset) const
{
    // The text starts where the style puts a line edit's contents, plus the margin
    // QLineEdit keeps inside them, centred from top to bottom; it never scrolls, as
    // it always fits.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    const QFontMetrics metrics(font());
    const int left = contents.left() + LineEditTextMargin + metrics.horizontalAdvance(text().left(offset));
    const int top = contents.top() + (contents.height() - metrics.height() + 1) / 2;
    return QRect(left, top, metrics.horizontalAdvance(text().mid(offset, 1)), metrics.height());
}
