// The CRT look as the renderer draws it: a tile of the mask laid over the
// picture with a multiplying blend, and the glow (the picture shrunk by
// halvings through a linear filter) spread over it with an adding one. The
// renderer does the per-pixel work, so the look costs the processor little.
// Where a texture can't be made the look goes without that part.
#include "platform/sdl/SdlCrt.h"

#include <algorithm>
#include <vector>

#include "platform/CrtLook.h"

namespace {

// The mask's tile, in picture pixels: whole periods of the mask (3 columns,
// 2 lines) that are laid side by side over the picture.
constexpr int TileWidth = 96, TileHeight = 80;

struct SdlCrtState {
    bool Wanted = false;
    int Scale = 0;                  // the tile's; 0: none made yet
    SDL_Texture* Tile = nullptr;    // the mask at Scale, TileWidth x TileHeight picture pixels
    SDL_Texture* Glow[3] = {};      // the picture at full, half and quarter size
    int PictureWidth = 0, PictureHeight = 0;
} Crt;

// The factor the renderer scales the picture by: a whole one, as the
// window keeps its logical size at integer scale.
int RendererScale(SDL_Renderer* Renderer)
{
    float X, Y;
    SDL_RenderGetScale(Renderer, &X, &Y);
    return int(std::min(X, Y));
}

SDL_Texture* MakeTile(SDL_Renderer* Renderer, int Scale)
{
    const int Width = TileWidth * Scale, Height = TileHeight * Scale;
    std::vector<uint32_t> Pixels(size_t(Width) * size_t(Height));
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            Pixels[size_t(y) * Width + x] = CrtMask(x, y, Scale);
    SDL_Texture* Tile = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_STATIC, Width, Height);
    if (Tile && (SDL_UpdateTexture(Tile, nullptr, Pixels.data(), Width * 4) != 0 ||
                 SDL_SetTextureBlendMode(Tile, SDL_BLENDMODE_MOD) != 0)) {
        SDL_DestroyTexture(Tile);
        return nullptr;
    }
    return Tile;
}

// The glow's three steps: a nearest copy of the picture (its own texture
// keeps nearest sampling for the window), then two halvings, each a box
// average of 2 x 2 through the linear filter.
bool MakeGlow(SDL_Renderer* Renderer, int Width, int Height)
{
    for (int Step = 0; Step < 3; ++Step) {
        Crt.Glow[Step] = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                           Width >> Step, Height >> Step);
        if (!Crt.Glow[Step])
            return false;
        SDL_SetTextureScaleMode(Crt.Glow[Step], SDL_ScaleModeLinear);
    }
    SDL_SetTextureBlendMode(Crt.Glow[2], SDL_BLENDMODE_ADD);
    SDL_SetTextureAlphaMod(Crt.Glow[2], CrtGlowAlpha);
    return true;
}

void FreeGlow()
{
    for (SDL_Texture*& Step : Crt.Glow) {
        if (Step)
            SDL_DestroyTexture(Step);
        Step = nullptr;
    }
}

// True when the look shows at the window's present scale; the tile follows
// the scale, the glow the picture's size.
bool Active(SDL_Renderer* Renderer, SDL_Texture* Picture)
{
    const int Scale = RendererScale(Renderer);
    if (!Crt.Wanted || Scale < CrtMinScale)
        return false;
    if (Scale != Crt.Scale) {
        if (Crt.Tile)
            SDL_DestroyTexture(Crt.Tile);
        Crt.Tile = MakeTile(Renderer, Scale);
        Crt.Scale = Scale;
    }
    int Width, Height;
    if (Picture && SDL_QueryTexture(Picture, nullptr, nullptr, &Width, &Height) == 0 &&
        (Width != Crt.PictureWidth || Height != Crt.PictureHeight)) {
        FreeGlow();
        if (!MakeGlow(Renderer, Width, Height))
            FreeGlow();
        Crt.PictureWidth = Width;
        Crt.PictureHeight = Height;
    }
    return true;
}

}  // namespace

void SdlCrtWanted(bool On)
{
    Crt.Wanted = On;
}

void SdlCrtPrepare(SDL_Renderer* Renderer, SDL_Texture* Picture)
{
    if (!Active(Renderer, Picture) || !Crt.Glow[0])
        return;
    SDL_Texture* From = Picture;
    for (SDL_Texture* Step : Crt.Glow) {
        SDL_SetRenderTarget(Renderer, Step);
        SDL_RenderCopy(Renderer, From, nullptr, nullptr);
        From = Step;
    }
    SDL_SetRenderTarget(Renderer, nullptr);
}

void SdlCrtDraw(SDL_Renderer* Renderer)
{
    if (!Active(Renderer, nullptr))
        return;
    int Width, Height;
    SDL_RenderGetLogicalSize(Renderer, &Width, &Height);
    for (int y = 0; Crt.Tile && y < Height; y += TileHeight)
        for (int x = 0; x < Width; x += TileWidth) {
            const int W = std::min(TileWidth, Width - x), H = std::min(TileHeight, Height - y);
            const SDL_Rect Source{0, 0, W * Crt.Scale, H * Crt.Scale}, Target{x, y, W, H};
            SDL_RenderCopy(Renderer, Crt.Tile, &Source, &Target);
        }
    if (Crt.Glow[2])
        SDL_RenderCopy(Renderer, Crt.Glow[2], nullptr, nullptr);
}

void SdlCrtRelease()
{
    if (Crt.Tile)
        SDL_DestroyTexture(Crt.Tile);
    FreeGlow();
    Crt = SdlCrtState{Crt.Wanted};
}
