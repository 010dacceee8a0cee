#pragma once
// The viewer's controls: pause, the parts (a part is a slot), screenshots.
// Keys and the chapters the page's list asks for come from the display;
// the main loop acts on the parts asked for (demo/MainLoop.h).
#include <cstdint>

// Hooks the controls to the display and the playback, and names the parts
// to the window. Without the reference clock played in real time, pause and
// the parts are refused with a word to the viewer.
void StartControls();
// The part the viewer asked for since the last call, if any.
bool TakePartAsked(int32_t* Part);
// Announces the part that plays from a jump on: its number and name over
// the picture for two seconds, and the window's chapter.
void AnnouncePart(int32_t Part);
