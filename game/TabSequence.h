#pragma once

#include "Control.h"

#include <array>

// The window's tab order: one sequence of all sixteen controls, labels included.
// Giving a control a place moves it there and shifts the controls in between by
// one, so the places stay numbered 0 to 15 without gaps.
class TabSequence
{
public:
    TabSequence(); // the design-time order

    void setTabIndex(Control control, int place);
    const std::array<Control, ControlCount> &sequence() const { return m_sequence; }

private:
    std::array<Control, ControlCount> m_sequence{};
};
