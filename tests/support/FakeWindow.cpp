#include "FakeWindow.h"

#include "RandomPlay.h"

#include "Module1.h"

#include <QFile>
#include <QFileInfo>

using enum Control;

FakeWindow::FakeWindow()
{
    for (const ControlDesign &design : WindowDesign) // as the window builds its controls
        visible[design.control] = design.panel == Panel::Category;
    texts = {{TxtUser, QStringLiteral("text1")}, {TxtIhreLösung, QStringLiteral("Text1")}};
    game.Form_Load();
}

const QStringList &listedWords(int letters)
{
    static QMap<int, QStringList> lists;
    if (!lists.contains(letters)) {
        QFile file(QStringLiteral(ZEICHENFANG_WORD_LISTS "/words%1.txt").arg(letters));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) // CR LF line ends read as LF
            qFatal("cannot read %s", qPrintable(file.fileName()));
        lists[letters] = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    return lists[letters];
}

void FakeWindow::play(const QString &script)
{
    for (const QString &token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        act(token[0], QString(token).remove(0, token[0] == u'@' ? 1 : 2).replace(u'_', u' '));
}

void FakeWindow::act(QChar action, const QString &text)
{
    using Handler = void (Game::*)();
    static const QMap<QChar, std::pair<Control, Handler>> buttons = {
        {u'1', {Cmd1, &Game::Cmd1_Click}},   {u'2', {Cmd2, &Game::Cmd2_Click}},   {u'3', {Cmd3, &Game::Cmd3_Click}},
        {u'4', {Cmd4, &Game::Cmd4_Click}},   {u'5', {cmd5, &Game::cmd5_Click}},   {u'E', {CmdEnde, &Game::CmdEnde_Click}},
        {u'N', {CmdNeuesSpiel, &Game::CmdNeuesSpiel_Click}}, {u'L', {CmdLösung, &Game::CmdLösung_Click}},
        {u'Z', {CmdZurück, &Game::CmdZurück_Click}},       {u'R', {CmdRatehilfe, &Game::CmdRatehilfe_Click}},
    };
    const Control box = action.toLower() == u't' ? TxtUser : TxtIhreLösung;
    focus = buttons.contains(action) ? buttons[action].first : action == u'@' ? focus : box; // a click takes the focus
    if (buttons.contains(action))
        (game.*buttons[action].second)();
    else if (action == u'T' || action == u'S')
        replace(box, text);
    else if (action == u't' || action == u's')
        std::ranges::for_each(text.toUcs4(), [&](char32_t c) { type(box, QString::fromUcs4(&c, 1)); });
    else if (action == u'@') // a word: the whole number of seconds that picks it
        platform.reading = text[0].isDigit() ? text.toFloat() : float(listedWords(int(text.size())).indexOf(text) + 1);
}

void FakeWindow::type(Control box, const QString &characters)
{
    const int limit = box == TxtUser ? LetterBoxMaxLength : SolutionBoxMaxLength;
    QString text = texts.value(box);
    const QString accepted = characters.left(std::max<qsizetype>(0, limit - text.size()));
    if (accepted.isEmpty())
        return; // a full box refuses the key and raises nothing
    const int at = std::min<int>(caret.value(box), static_cast<int>(text.size()));
    replace(box, text.insert(at, accepted));
}

void FakeWindow::replace(Control box, const QString &text)
{
    texts[box] = text.left(box == TxtUser ? LetterBoxMaxLength : SolutionBoxMaxLength);
    caret[box] = static_cast<int>(texts[box].size()); // like a line edit: the caret after the text
    box == TxtUser ? game.TxtUser_Change() : game.TxtIhreLösung_Change();
}

QList<Control> FakeWindow::visibleControls() const
{
    QList<Control> result;
    for (const auto [control, shown] : visible.asKeyValueRange())
        shown ? result.append(control) : void();
    return result;
}

void FakeWindow::edit(int at, const QString &text)
{
    caret[TxtUser] = at;
    text.isEmpty() ? replace(TxtUser, QString(texts[TxtUser]).remove(at, 1)) : type(TxtUser, text);
    game.TxtUser_KeyUp();
}

RandomPlay::View FakeWindow::view()
{
    RandomPlay::View v{closed, visibleControls(), texts[TxtUser], texts[TxtIhreLösung],
                       captions[LblZeichen] + u'/' + captions[LblLösVersuch], caret[TxtUser], {}};
    for (const Message &m : std::exchange(messages, {})) // shown as a window shows them: CR LF breaks the line
        v.boxes.append(m.style ? QStringLiteral("style %1").arg(m.style) : m.title + QStringLiteral(": ") + QString(m.prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return v;
}

int FakeWindow::messageBox(const QString &prompt, int style, const QString &title)
{
    messages.append({title, prompt, style});
    return 1;
}

void FakeWindow::PlaySoundCue()
{
    cues += QFileInfo(Module1::SoundFile).fileName().front();
}
