#pragma once
// Control of the web backend, for the page's entry. Knows nothing of the demo.
#include <cstdint>

// Shows a Width x Height picture of 0x00RRGGBB pixels on the page's canvas,
// before the window is opened (the title under "click to start").
void WebShowPicture(const uint32_t* Pixels, int32_t Width, int32_t Height);
// Waits, yielding to the browser, until the viewer clicks the page: browsers
// let a page play sound only after such a gesture.
void WebWaitForStart();
