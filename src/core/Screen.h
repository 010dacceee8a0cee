#pragma once
// The one 640 x 480 frame buffer every effect draws into, and its view:
// the whole buffer, or in letterbox mode the band between two black bars
// of 70 rows. Showing it on the display is display/Present.h's work.
#include <cstdint>

// Any value but LetterboxView shows the whole buffer.
enum ViewMode : int32_t { FullView = 0, LetterboxView = 1 };

struct Screen {
    uint16_t Width;       // buffer width in pixels
    uint16_t Height;      // buffer rows
    uint16_t ViewWidth;   // always Width
    uint16_t ViewHeight;  // Height - 140 in letterbox mode, else Height
    ViewMode Mode;
    uint32_t* Pixels;     // Width x Height pixels 0x00RRGGBB, no row gaps
};

// The program's screen and the first pixel of its view. View pixel (x, y)
// is DrawOrigin[y * ViewWidth + x].
extern Screen* MainScreen;
extern uint32_t* DrawOrigin;

// Makes the screen with a black buffer. Null on success, else why not.
const char* AllocateScreen(uint16_t Width, uint16_t Height, ViewMode Mode);
// Releases the screen; safe to repeat.
void FreeScreen();
// Clears the whole buffer and switches the view.
void SetScreenMode(ViewMode Mode);
// Fills the view with black; the letterbox bars are not touched.
void ClearView();
