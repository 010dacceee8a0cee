#include "log/LogFolder.h"

#include <filesystem>

namespace {

std::string LogFolder;

}  // namespace

void SetLogFolder(const std::string& Folder)
{
    LogFolder = Folder;
    std::error_code Ignored;
    if (!Folder.empty())
        std::filesystem::create_directories(Folder, Ignored);
}

std::string LogPath(const char* Name)
{
    if (LogFolder.empty())
        return Name;
    return LogFolder + (LogFolder.back() == '/' ? "" : "/") + Name;
}
