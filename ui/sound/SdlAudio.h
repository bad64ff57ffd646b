#pragma once

// SDL for sound alone: the program has its own main().
#define SDL_MAIN_HANDLED
#include <SDL.h>
