#include "demo/DataFolder.h"

#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string DataFolder;

bool HoldsData(const fs::path& Folder)
{
    std::error_code Error;
    return fs::is_directory(Folder / "Data", Error);
}

// Through /proc, so that a program started through a link or from $PATH
// still knows where it lies; empty where there is no /proc.
fs::path ProgramFolder()
{
    char Path[4096];
    ssize_t Length = readlink("/proc/self/exe", Path, sizeof Path - 1);
    if (Length <= 0)
        return {};
    return fs::path(std::string(Path, size_t(Length))).parent_path();
}

}  // namespace

std::string FindDataFolder()
{
    if (HoldsData("."))
        return "";
    fs::path Program = ProgramFolder();
    if (Program.empty())
        return "";
    for (const fs::path& Folder : {Program, (Program / "../share/vorlune").lexically_normal()})
        if (HoldsData(Folder))
            return Folder.string();
    return "";
}

void SetDataFolder(const std::string& Folder)
{
    DataFolder = Folder;
}

std::string DataPath(const char* Relative)
{
    if (DataFolder.empty())
        return Relative;
    return DataFolder + (DataFolder.back() == '/' ? "" : "/") + Relative;
}
