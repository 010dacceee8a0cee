#pragma once
// Each picture drawn once per test process, looked up by its file name.
#include <string>

#include "Canvas.h"
#include "Pictures.h"

const Canvas& Picture(const std::string& File);
const PictureInfo& InfoOf(const std::string& File);
int CountOf(const Canvas& C, Rgb Colour);
// Mean of the three channels.
double Brightness(Rgb C);
