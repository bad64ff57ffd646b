#pragma once

// Gives the game's text boxes and its announcer the game's own answers to
// screen readers. Call it before any control exists: Qt makes a control's
// interface the first time it is asked for one, and keeps it.
void installAccessibleInterfaces();
