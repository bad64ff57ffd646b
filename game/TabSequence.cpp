#include "TabSequence.h"

#include <algorithm>

TabSequence::TabSequence()
{
    for (const ControlDesign &row : WindowDesign)
        m_sequence[static_cast<std::size_t>(row.tab)] = row.control;
}

void TabSequence::setTabIndex(Control control, int place)
{
    // The control is taken out, the controls from its new place on move up by one, and it goes in there.
    std::shift_left(std::ranges::find(m_sequence, control), m_sequence.end(), 1);
    const auto to = m_sequence.begin() + std::clamp(place, 0, ControlCount - 1);
    std::shift_right(to, m_sequence.end(), 1);
    *to = control;
}
