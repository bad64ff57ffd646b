#include "TabSequence.h"

#include <algorithm>

TabSequence::TabSequence()
    : m_sequence{Control::Cmd1,          Control::Cmd2,         Control::Cmd3,
                 Control::CmdZurück,     Control::Cmd4,         Control::cmd5,
                 Control::TxtUser,       Control::LblZeichen,   Control::TxtIhreLösung,
                 Control::CmdEnde,       Control::LblIhreLösung, Control::LblLösVersuch,
                 Control::CmdNeuesSpiel, Control::CmdLösung,    Control::LblInfo,
                 Control::CmdRatehilfe}
{
}

int TabSequence::tabIndex(Control control) const
{
    return static_cast<int>(std::find(m_sequence.begin(), m_sequence.end(), control) - m_sequence.begin());
}

void TabSequence::setTabIndex(Control control, int place)
{
    place = std::clamp(place, 0, ControlCount - 1);
    const int from = tabIndex(control);
    auto first = m_sequence.begin();
    if (place < from)
        std::rotate(first + place, first + from, first + from + 1);
    else if (place > from)
        std::rotate(first + from, first + from + 1, first + place + 1);
}
