#pragma once
// Where the demo reads "Data/" and "Brumalid.mp3". Its logs go where the
// log folder says (log/LogFolder.h), wherever the data is.
#include <string>

// The first folder that holds "Data/": the working folder (given as ""),
// the program's own folder, then "../share/vorlune" beside the program, so
// that a build, an install under any prefix and an unpacked package all
// find their data. "" when none does: the pictures are then reported
// missing from the working folder.
std::string FindDataFolder();

// "" for the working folder; the default.
void SetDataFolder(const std::string& Folder);

// A path such as "Data/Loading.ppm" as the program opens (and reports) it.
std::string DataPath(const char* Relative);
