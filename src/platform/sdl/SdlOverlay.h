#pragma once
// The overlay's line of text, drawn over the picture at each present.
#include <SDL.h>

#include <cstdint>

// Replaces the text; for Ms milliseconds, or until replaced when 0.
void SetOverlayText(const char* Text, uint32_t Ms);
// Draws the text, if any, in the top-left corner of the picture.
void DrawOverlay(SDL_Renderer* Renderer);
