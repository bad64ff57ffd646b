#include "AccessibleTextBox.h"

#include "GameTextBox.h"

#include <QApplication>

namespace {

struct Span
{
    int start, end;
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// The item that holds the character at `at` (0 <= at < text.size()).
Span itemHolding(QStringView text, int at, QAccessible::TextBoundaryType type)
{
    const int size = int(text.size());
    if (type == QAccessible::CharBoundary) {
        const int start = at > 0 && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate() ? at - 1 : at;
        const bool pair = start + 1 < size && text[start].isHighSurrogate() && text[start + 1].isLowSurrogate();
        return {start, start + (pair ? 2 : 1)};
    }
    if (type == QAccessible::WordBoundary) {
        // Both halves of a surrogate pair are no letter, so a run never splits one.
        const bool word = isWordCharacter(text[at]);
        Span run{at, at + 1};
        while (run.start > 0 && isWordCharacter(text[run.start - 1]) == word)
            --run.start;
        while (run.end < size && isWordCharacter(text[run.end]) == word)
            ++run.end;
        return run;
    }
    return {0, size};
}

// A modal box over the window keeps typing out, so it keeps a screen reader's edits out too.
bool blocked(const QWidget *box)
{
    const QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != box->window();
}

} // namespace

AccessibleTextBox::AccessibleTextBox(GameTextBox *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{
}

GameTextBox *AccessibleTextBox::box() const
{
    return static_cast<GameTextBox *>(widget());
}

QString AccessibleTextBox::text(QAccessible::Text t) const
{
    return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
}

void AccessibleTextBox::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value) {
        if (!blocked(box()))
            box()->setText(text);
    } else {
        QAccessibleWidget::setText(t, text);
    }
}

QAccessible::State AccessibleTextBox::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !box()->isReadOnly();
    state.readOnly = box()->isReadOnly();
    state.selectableText = true;
    return state;
}

void *AccessibleTextBox::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleTextBox::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && box()->hasSelectedText()) {
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
}

int AccessibleTextBox::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void AccessibleTextBox::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextBox::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void AccessibleTextBox::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::cursorPosition() const
{
    return box()->cursorPosition();
}

void AccessibleTextBox::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString AccessibleTextBox::text(int startOffset, int endOffset) const
{
    const QString all = box()->text();
    const int start = std::clamp(startOffset, 0, int(all.size()));
    const int end = std::clamp(endOffset, start, int(all.size()));
    return all.mid(start, end - start);
}

QString AccessibleTextBox::item(Side side, int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                int *endOffset) const
{
    const QString all = box()->text();
    const int size = int(all.size());
    offset = offset == -1 ? size : offset == -2 ? box()->cursorPosition() : offset;
    if (offset < 0 || offset > size) {
        *startOffset = *endOffset = -1;
        return {};
    }
    const bool reachesBack = boundaryType != QAccessible::CharBoundary && size > 0;
    const Span at = offset < size ? itemHolding(all, offset, boundaryType)
        : reachesBack             ? itemHolding(all, size - 1, boundaryType)
                                  : Span{size, size};
    Span found = at;
    if (side == Side::Before)
        found = at.start > 0 ? itemHolding(all, at.start - 1, boundaryType) : Span{0, 0};
    else if (side == Side::After)
        found = at.end < size ? itemHolding(all, at.end, boundaryType) : Span{size, size};
    *startOffset = found.start;
    *endOffset = found.end;
    return all.mid(found.start, found.end - found.start);
}

QString AccessibleTextBox::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    return item(Side::Before, offset, boundaryType, startOffset, endOffset);
}

QString AccessibleTextBox::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                           int *endOffset) const
{
    return item(Side::After, offset, boundaryType, startOffset, endOffset);
}

QString AccessibleTextBox::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    return item(Side::At, offset, boundaryType, startOffset, endOffset);
}

int AccessibleTextBox::characterCount() const
{
    return int(box()->text().size());
}

QRect AccessibleTextBox::characterRect(int offset) const
{
    const QString all = box()->text();
    if (offset < 0 || offset >= all.size())
        return {};
    const QRect local = box()->characterRect(offset);
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleTextBox::offsetAtPoint(const QPoint &point) const
{
    // The character under the point, not the caret position nearest to it.
    const QPoint local = box()->mapFromGlobal(point);
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (box()->characterRect(offset).contains(local))
            return offset;
    }
    return -1;
}

void AccessibleTextBox::scrollToSubstring(int, int)
{
    // A box is wide enough for all it takes: there is nothing to scroll.
}

QString AccessibleTextBox::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One run without attributes over the whole text: runs of no length make a
    // screen reader leave out the last character when it reads the box.
    const int size = characterCount();
    const bool inside = offset >= 0 && offset < size;
    *startOffset = inside ? 0 : offset == size ? size : -1;
    *endOffset = inside ? size : *startOffset;
    return {};
}

void AccessibleTextBox::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleTextBox::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleTextBox::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (blocked(box()))
        return;
    QString all = box()->text();
    const int start = std::clamp(startOffset, 0, int(all.size()));
    const int end = std::clamp(endOffset, start, int(all.size()));
    box()->setText(all.replace(start, end - start, text));
}
