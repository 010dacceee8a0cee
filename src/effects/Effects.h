#pragma once
// The sixteen effects, in the order of their slots.
#include <cstdint>

// An effect draws at most one frame per call into the screen and returns
// exactly 1 when it is finished; any other value asks for another call.
// Step is 0 on its first call; effects use it only as a first-call flag.
using Effect = int32_t (*)(int32_t* Step);

int32_t LoadingScreen(int32_t* Step);        // 0: the loading picture and its bar
int32_t ZoomWordThis(int32_t* Step);         // 1 to 5: words zoomed in, then blurred away
int32_t ZoomWordProgressBar(int32_t* Step);
int32_t ZoomWordIs(int32_t* Step);
int32_t ZoomWordAPure(int32_t* Step);
int32_t ZoomWordFake(int32_t* Step);
int32_t CorridorDoors(int32_t* Step);        // 6: corridor and side doors
int32_t VoidDoors(int32_t* Step);            // 7: black void and vertical doors
int32_t LetterboxDoors(int32_t* Step);       // 8: white flash, letterbox, closed doors
int32_t PlasmaDoors(int32_t* Step);          // 9: plasma behind opening doors
int32_t SnowWords(int32_t* Step);            // 10: television snow with words
int32_t LightBlobs(int32_t* Step);           // 11: bouncing light blobs
int32_t FadeToBlack(int32_t* Step);          // 12: fade to black
int32_t RasterBars(int32_t* Step);           // 13: raster bars and scroll text
int32_t Greetings(int32_t* Step);            // 14: greetings and credits
int32_t SwitchOff(int32_t* Step);            // 15: screen switch-off

// Every effect's state as at the program's start, the pictures the effects
// hold freed: for replaying the show from its first slot.
void ResetEffects();
