#pragma once

#include <QAccessibleWidget>

class GameTextBox;

// What a screen reader learns of the game's text boxes. Qt 6.4's own answer
// never returns when asked for the word at the start of a text that begins with
// a blank or a dot (the letter box always does), nor for the sentence at the
// end of any text, and it reports text attributes in runs of no length, so a
// screen reader drops the last place of the mask. This one answers every text
// query at once:
//   character   one character (a surrogate pair stays whole);
//   word        a run of letters and digits, or a run of everything else
//               between them ("  T....." is "  ", "T" and ".....");
//   sentence, paragraph, line and no boundary
//               the whole text: a box holds one word or mask, and its dots
//               stand for letters, not for the end of a sentence.
// At the end of the text the last word or sentence is the one there, and no
// character is. Where there is no such item the text is empty and both offsets
// stand where the search ended; an offset outside the text gives -1 for both.
// Offset -1 means the end of the text, -2 the caret, as in Qt.
class AccessibleTextBox final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleTextBox(GameTextBox *box);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface: every edit replaces the whole text, as typing does.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    enum class Side { Before, At, After };
    QString item(Side side, int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                 int *endOffset) const;
    GameTextBox *box() const;
};
