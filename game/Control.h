#pragma once

#include <QString>

#include <array>

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

inline constexpr std::array<Control, ControlCount> AllControls = {
    Control::Cmd1,          Control::Cmd2,         Control::Cmd3,          Control::Cmd4,
    Control::cmd5,          Control::CmdEnde,      Control::LblInfo,       Control::LblZeichen,
    Control::TxtUser,       Control::LblIhreLösung, Control::TxtIhreLösung, Control::LblLösVersuch,
    Control::CmdZurück,     Control::CmdNeuesSpiel, Control::CmdLösung,     Control::CmdRatehilfe,
};

QString controlName(Control control);

// The most characters each text box takes; input beyond is refused by the box.
inline constexpr int LetterBoxMaxLength = 15;
inline constexpr int SolutionBoxMaxLength = 20;

inline constexpr bool isLabel(Control control)
{
    return control == Control::LblInfo || control == Control::LblZeichen
        || control == Control::LblIhreLösung || control == Control::LblLösVersuch;
}
