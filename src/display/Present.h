#pragma once
// The screen on the display: making both, showing the buffer, closing.
#include <cstdint>

#include "core/Screen.h"

// Makes the screen and opens the display; both close at Quit. When the
// display cannot be opened, logs it and quits with code 1.
int32_t CreateScreen(const char* Title, uint16_t Width, uint16_t Height, ViewMode Mode);
// Shows the whole buffer, bars included.
int32_t PresentScreen();
// Releases the screen and closes the display.
void DestroyScreen();
