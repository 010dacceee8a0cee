#pragma once
// Steel plates, bevels, rivets and hazard stripes for the door pictures.
#include "Canvas.h"

// Brushed steel: Base with faint horizontal grain (or vertical when Vertical).
void FillSteel(Canvas& Picture, int X, int Y, int W, int H, Rgb Base, bool Vertical, uint32_t Seed);
// A raised (Depth > 0) or sunken (Depth < 0) bevel of |Depth| pixels inside the rectangle.
void Bevel(Canvas& Picture, int X, int Y, int W, int H, int Depth);
void Rivet(Canvas& Picture, int CX, int CY, int R);
// Yellow and black stripes at 45 degrees, Period pixels per pair.
void HazardStripes(Canvas& Picture, int X, int Y, int W, int H, int Period, bool Rising);
// A round window: Key inside Radius, a bevelled steel rim out to Radius + Rim.
void Porthole(Canvas& Picture, int CX, int CY, int Radius, int Rim, Rgb Key);
