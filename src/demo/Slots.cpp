#include "demo/Slots.h"

const Slot SlotTable[EffectCount] = {
    {LoadingScreen, "LoadingScreen", "the loading screen"},
    {ZoomWordThis, "ZoomWordThis", "\"This\""},
    {ZoomWordProgressBar, "ZoomWordProgressBar", "\"Progress Bar\""},
    {ZoomWordIs, "ZoomWordIs", "\"Is\""},
    {ZoomWordAPure, "ZoomWordAPure", "\"A Pure\""},
    {ZoomWordFake, "ZoomWordFake", "\"Fake\""},
    {CorridorDoors, "CorridorDoors", "corridor, side doors"},
    {VoidDoors, "VoidDoors", "black void, vertical doors"},
    {LetterboxDoors, "LetterboxDoors", "flash, letterbox, closed doors"},
    {PlasmaDoors, "PlasmaDoors", "plasma behind opening doors"},
    {SnowWords, "SnowWords", "snow with words"},
    {LightBlobs, "LightBlobs", "light blobs"},
    {FadeToBlack, "FadeToBlack", "fade to black"},
    {RasterBars, "RasterBars", "raster bars, scroll text"},
    {Greetings, "Greetings", "greetings and credits"},
    {SwitchOff, "SwitchOff", "switch-off"},
};
