#include "FakeWindow.h"

#include "RandomPlay.h"

#include "Module1.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"

#include <QFileInfo>

using enum Control;

FakeWindow::FakeWindow()
{
    for (Control control : {Cmd1, Cmd2, Cmd3, Cmd4, cmd5, CmdEnde})
        visible[control] = true;
    texts = {{TxtUser, QStringLiteral("text1")}, {TxtIhreLösung, QStringLiteral("Text1")}};
    game.Form_Load();
}

const WordList &listOf(int letters)
{
    static FakeWindow loaded;
    switch (letters) {
    case 4: return loaded.game.words4();
    case 6: Module3::FillWordList6(); return Module3::Words6;
    case 8: return loaded.game.words8();
    case 10: Module4::FillWordList10(); return Module4::Words10;
    default: Module2::FillWordList12(); return Module2::Words12;
    }
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
    if (buttons.contains(action)) {
        (game.*buttons[action].second)();
    } else if (action == u'T' || action == u'S') {
        replace(box, text);
    } else if (action == u't' || action == u's') {
        for (char32_t c : text.toUcs4())
            type(box, QString::fromUcs4(&c, 1));
    } else if (action == u'@') {
        bool isNumber = false;
        platform.reading = text.toFloat(&isNumber);
        if (!isNumber) { // a whole number of seconds is not scaled: its last digits are the index
            const WordList &list = listOf(static_cast<int>(text.size()));
            int index = 1;
            while (index < list.upperBound() && list.entry(index) != text)
                ++index;
            platform.reading = float(index);
        }
    }
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
    std::copy_if(AllControls.begin(), AllControls.end(), std::back_inserter(result), [this](Control c) { return visible.value(c); });
    return result;
}

QString FakeWindow::cues() const
{
    QString result;
    for (const QString &cue : cuesPlayed)
        result += cue.front();
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
    RandomPlay::View v{closed, visibleControls(), texts[TxtUser], captions[LblZeichen] + u'/' + captions[LblLösVersuch],
                       caret[TxtUser], {}};
    for (const Message &message : std::exchange(messages, {}))
        v.boxes.append(message.title);
    return v;
}

int FakeWindow::messageBox(const QString &prompt, int style, const QString &title)
{
    messages.append({title, prompt, style});
    return 1;
}

void FakeWindow::PlaySoundCue()
{
    cuesPlayed.append(QFileInfo(Module1::SoundFile).fileName());
}
