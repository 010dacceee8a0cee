#pragma once
// The CRT look in the real window (platform/CrtLook.h), drawn by the
// renderer around the picture's copy in WindowFlip.
#include <SDL.h>

// Whether the viewer asked for the look; it shows at factors of 2 and more.
void SdlCrtWanted(bool On);
// Before the window is cleared: shrinks the picture into the glow.
void SdlCrtPrepare(SDL_Renderer* Renderer, SDL_Texture* Picture);
// Over the picture: the mask, then the glow.
void SdlCrtDraw(SDL_Renderer* Renderer);
// Frees the look's textures; before the renderer goes.
void SdlCrtRelease();
