#pragma once
// Writes everything the demo reads: "Data/*.ppm" and "Brumalid.mp3".
#include <string>

#include "Canvas.h"

// Writes the pictures under Folder/Data and the tune as Folder/Brumalid.mp3;
// reports the first failure on stderr and returns false.
bool WriteAssets(const std::string& Folder);

// All pictures on one sheet, each scaled to fit its tile, for the README.
Canvas DrawContactSheet();
