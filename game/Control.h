#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <ranges>
#include <string_view>

// The sixteen controls of the main window, in the order of WindowDesign below.
enum class Control {
    Cmd1, Cmd2, Cmd3, Cmd4, cmd5, CmdEnde,
    LblInfo, LblZeichen, TxtUser, LblIhreLösung, TxtIhreLösung, LblLösVersuch,
    CmdZurück, CmdNeuesSpiel, CmdLösung, CmdRatehilfe,
};

// What a control is. The category buttons are narrower than their captions, which wrap.
enum class Kind { CategoryButton, Button, Label, TextBox };

// The two faces of the window: the choice of a word length, shown at start-up, and the play of a word.
enum class Panel { Category, Play };

// One control as the window is designed. Places and sizes are in twips (1/1440 inch)
// from the top left corner of the client area; "&" marks a button's access key.
struct ControlDesign
{
    Control control;
    std::u16string_view name; // also the Qt object name
    Kind kind;
    std::u16string_view caption;
    int left, top, width, height;
    int tab; // the place in the tab order
    Panel panel;
};

inline constexpr auto WindowDesign = [] {
    using enum Control;
    using enum Kind;
    using enum Panel;
    return std::to_array<ControlDesign>({
        // control      name              kind            caption                        left  top  width height tab panel
        {Cmd1,          u"Cmd1",          CategoryButton, u"&1 Worte mit 4 Buchstaben",  1755, 1320, 1230,  495,  0, Category},
        {Cmd2,          u"Cmd2",          CategoryButton, u"&2 Worte mit 6 Buchstaben",  1755, 1920, 1230,  495,  1, Category},
        {Cmd3,          u"Cmd3",          CategoryButton, u"&3 Worte mit 8 Buchstaben",  1755, 2520, 1230,  495,  2, Category},
        {Cmd4,          u"Cmd4",          CategoryButton, u"&4 Worte mit 10 Buchstaben", 1755, 3120, 1230,  495,  4, Category},
        {cmd5,          u"cmd5",          CategoryButton, u"&5 Worte mit 12 Buchstaben", 1755, 3720, 1230,  495,  5, Category},
        {CmdEnde,       u"CmdEnde",       Button,         u"&Ende",                      1755, 6360, 1215,  495,  9, Category},
        {LblInfo,       u"LblInfo",       Label,          u"Label1",                      300, 1320, 4050, 1800, 14, Play},
        {LblZeichen,    u"LblZeichen",    Label,          u"Ihre Eingabe:",               150, 4440, 1050,  495,  7, Play},
        {TxtUser,       u"TxtUser",       TextBox,        u"text1",                      1290, 4440, 4500,  495,  6, Play},
        {LblIhreLösung, u"LblIhreLösung", Label,          u"Ihre Lösung:",                150, 5400, 1215,  495, 10, Play},
        {TxtIhreLösung, u"TxtIhreLösung", TextBox,        u"Text1",                      1440, 5400, 2250,  495,  8, Play},
        {LblLösVersuch, u"LblLösVersuch", Label,          u" ",                          3840, 5400, 1215,  495, 11, Play},
        {CmdZurück,     u"CmdZurück",     Button,         u"&Zurück",                     300, 6360, 1215,  495,  3, Play},
        {CmdNeuesSpiel, u"CmdNeuesSpiel", Button,         u"&Neues Spiel",               1560, 6360, 1215,  495, 12, Play},
        {CmdLösung,     u"CmdLösung",     Button,         u"&Lösung",                    2820, 6360, 1215,  495, 13, Play},
        {CmdRatehilfe,  u"CmdRatehilfe",  Button,         u"&Ratehilfe",                 3960, 6360, 1215,  495, 15, Play},
    });
}();

inline constexpr int ControlCount = static_cast<int>(WindowDesign.size());

constexpr const ControlDesign &design(Control control)
{
    return WindowDesign[static_cast<std::size_t>(control)];
}

QString controlName(Control control);

// The most characters each text box takes; input beyond is refused by the box.
inline constexpr int LetterBoxMaxLength = 15;
inline constexpr int SolutionBoxMaxLength = 20;

// The controls of one panel, in the order of the design.
template<Panel panel>
constexpr auto controlsOf()
{
    std::array<Control, std::ranges::count(WindowDesign, panel, &ControlDesign::panel)> controls{};
    auto next = controls.begin();
    for (const ControlDesign &row : WindowDesign)
        if (row.panel == panel)
            *next++ = row.control;
    return controls;
}

namespace WindowDesignChecks {

constexpr bool rowsInOrderOfControl()
{
    for (int i = 0; i < ControlCount; ++i)
        if (WindowDesign[static_cast<std::size_t>(i)].control != Control(i))
            return false;
    return ControlCount == static_cast<int>(Control::CmdRatehilfe) + 1; // the last control
}

constexpr bool tabPlacesNumberedWithoutGaps()
{
    std::array<int, WindowDesign.size()> places{};
    std::ranges::transform(WindowDesign, places.begin(), &ControlDesign::tab);
    std::ranges::sort(places);
    return std::ranges::equal(places, std::views::iota(0, ControlCount));
}

constexpr char16_t accessKey(const ControlDesign &row)
{
    const std::size_t mark = row.caption.find(u'&');
    return mark == std::u16string_view::npos ? u'\0' : row.caption.at(mark + 1);
}

// Every button has one access key, no two the same; labels and text boxes have none.
constexpr bool accessKeysOnButtonsOnly()
{
    for (const ControlDesign &row : WindowDesign) {
        const bool button = row.kind == Kind::CategoryButton || row.kind == Kind::Button;
        if (std::ranges::count(row.caption, u'&') != (button ? 1 : 0))
            return false;
        for (const ControlDesign &other : WindowDesign)
            if (button && other.control != row.control && accessKey(other) == accessKey(row))
                return false;
    }
    return true;
}

static_assert(rowsInOrderOfControl(), "one row for every control, row i for Control(i)");
static_assert(tabPlacesNumberedWithoutGaps(), "tab places 0 to 15, each once");
static_assert(accessKeysOnButtonsOnly());

} // namespace WindowDesignChecks
