#pragma once

#include <QString>

// The sixteen controls of the main window. The names are also the Qt object names.
enum class Control {
    Cmd1,
    Cmd2,
    Cmd3,
    Cmd4,
    cmd5,
    CmdEnde,
    LblInfo,
    LblZeichen,
    TxtUser,
    LblIhreLösung,
    TxtIhreLösung,
    LblLösVersuch,
    CmdZurück,
    CmdNeuesSpiel,
    CmdLösung,
    CmdRatehilfe,
};

inline constexpr int ControlCount = 16;

QString controlName(Control control);

// The most characters each text box takes; input beyond is refused by the box.
inline constexpr int LetterBoxMaxLength = 15;
inline constexpr int SolutionBoxMaxLength = 20;

inline constexpr bool isLabel(Control control)
{
    return control == Control::LblInfo || control == Control::LblZeichen
        || control == Control::LblIhreLösung || control == Control::LblLösVersuch;
}
