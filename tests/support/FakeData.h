#pragma once
// Small stand-ins for the demo's pictures and tune, written by tests.
#include <cstdint>
#include <functional>
#include <string>

// Writes a binary PPM whose pixel (x, y) is Color(x, y) as 0x00RRGGBB.
void WritePPM(const std::string& Path, int Width, int Height,
              const std::function<uint32_t(int, int)>& Color);

// Writes "Data/" with all 22 pictures at sizes the demo accepts, and a
// "Brumalid.mp3" that passes for one on the headless backend.
void WriteFakeData(const std::string& Folder);

// Links "Data/" and "Brumalid.mp3" of the folder From, where make-assets
// wrote them, into Folder: the demo only reads them.
void LinkAssets(const std::string& From, const std::string& Folder);
