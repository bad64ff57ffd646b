#include "GameTextBox.h"

#include <QKeyEvent>

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
