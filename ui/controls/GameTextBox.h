#pragma once

#include <QLineEdit>

// A single-line text box that reports key releases and does not take
// Alt+key combinations for typing: an access key whose button is hidden must
// not land in the box as a character.
class GameTextBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Where the character at `offset` is drawn, in the box's own coordinates.
    QRect characterRect(int offset) const;

signals:
    void keyReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
