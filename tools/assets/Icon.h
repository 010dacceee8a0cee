#pragma once
// The desktop icon: the chrome V of the title picture, as a PNG.
#include <string>

#include "Canvas.h"

constexpr int IconSize = 192;

Canvas DrawIcon();
// Writes Picture as an 8-bit RGB PNG; false when the file can't be written.
bool WritePNG(const Canvas& Picture, const std::string& Path);
