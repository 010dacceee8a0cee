#pragma once
// The display window: opening, presenting the frame buffer, keys, the
// timing log "VantuTimer.txt", and closing.
#include <cstdint>

#include "platform/Window.h"

// Opens the full-screen window for a Width x Height frame buffer and picks
// the row converter for its pixel format. 1 on success, 0 on any failure.
int32_t OpenDisplay(const char* Title, int32_t Width, int32_t Height);
// Handles pending window events, then converts every row of the 0x00RRGGBB
// frame buffer into the back buffer and flips. 1 when presented or
// inactive, 0 when the back buffer could not be locked. Escape and a close
// request end the process from in here, through Quit(0).
int32_t UpdateDisplay(const uint32_t* Frame);
// Closes the window and the timing log. Safe to repeat; DestroyScreen
// calls it, at Quit.
void CloseDisplay();
// The window's events: activation, Space (a timing mark), Escape and close;
// a redraw while the show is held; other keys and chapters to the hook.
void DisplayWindowProc(const WindowEvent& Event);
// Who hears of keys other than Escape and Space, and of chapters the
// viewer picks (WindowEvent's Chapter); null: nobody.
void DisplaySetControls(void (*Key)(int32_t Key), void (*Chapter)(int32_t Index));
// Why OpenDisplay failed.
const char* DisplayError();
