#pragma once
// What slots 6 and 7 share: the view they find, frozen and shrunk to half
// its width in the middle of the screen, and two door leaves that slide in
// at about 100 pixels a frame.
#include <cstdint>

struct Image;

// Each of the two effects keeps one; zero at program start.
struct ShrinkDoors {
    float Aspect;          // the Loading picture's width / height, a true quotient
    uint16_t ShrinkWidth;  // width of the backdrop this frame, in pixels
    int32_t DoorOffset;    // position of the leading leaf's outer edge, in pixels
    int32_t DoorStep;      // frames on which the doors have moved
    Image* Backdrop;       // the view as the effect found it; freed at the end
};

// First call: the starting values, the view grabbed into Backdrop, the
// EffectTimer restarted.
void StartShrinkDoors(ShrinkDoors& S, int32_t FirstDoorOffset);
// Draws Backdrop ShrinkWidth pixels wide, keeping the Loading picture's
// aspect, centred in the screen, nearest-neighbour.
void DrawShrunkBackdrop(const ShrinkDoors& S);
// Narrows the backdrop by one step while it is wider than half the Loading
// picture; true when it did (the frame is then done).
bool ShrinkFurther(ShrinkDoors& S);
// Moves the leading leaf on by this step's speed.
void SlideDoors(ShrinkDoors& S);
// Releases Backdrop.
void EndShrinkDoors(ShrinkDoors& S);
