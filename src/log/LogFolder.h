#pragma once
// Where the program writes its logs ("LogDemo.txt", "VantuTimer.txt").
#include <string>

// Folder "" is the working folder, the default. Any other is made when
// missing; one that can't be made is reported when a log can't be created.
void SetLogFolder(const std::string& Folder);

// The path of a log file named Name, as the program opens and reports it.
std::string LogPath(const char* Name);
