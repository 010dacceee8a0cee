#pragma once
// The one 640 x 480 frame buffer every effect draws into, and its view:
// the whole buffer, or in letterbox mode the band between two black bars
// of 70 rows.
#include <cstdint>

struct Screen {
    uint16_t Width;       // buffer width in pixels
    uint16_t Height;      // buffer rows
    uint16_t ViewWidth;   // always Width
    uint16_t ViewHeight;  // Height - 140 in letterbox mode, else Height
    int32_t Letterbox;    // 1 = letterbox, anything else = full screen
    uint32_t* Pixels;     // Width x Height pixels 0x00RRGGBB, no row gaps
};

// The program's screen and the first pixel of its view. View pixel (x, y)
// is DrawOrigin[y * ViewWidth + x].
extern Screen* MainScreen;
extern uint32_t* DrawOrigin;

// Makes the screen and opens the display. When the display cannot be
// opened, logs it, closes the log and ends the process with code 1.
int32_t CreateScreen(const char* Title, uint16_t Width, uint16_t Height, int32_t Mode);
// Clears the whole buffer and switches the view.
void SetScreenMode(int32_t Mode);
// Fills the view with black; the letterbox bars are not touched.
void ClearView();
// Shows the whole buffer, bars included.
int32_t PresentScreen();
// Releases the screen and closes the display (and with it the log).
void DestroyScreen();

// Ends the program after a failure that leaves it nothing to show: Reason
// goes to stderr and the log, the display and logs are closed, exit code 1.
[[noreturn]] void FailAndExit(const char* Reason);
