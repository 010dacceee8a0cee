#include "demo/DataFolder.h"

#include <filesystem>

#include "platform/System.h"

namespace {

namespace fs = std::filesystem;

std::string DataFolder;

bool HoldsData(const fs::path& Folder)
{
    std::error_code Error;
    return fs::is_directory(Folder / "Data", Error);
}

}  // namespace

std::string FindDataFolder()
{
    if (HoldsData("."))
        return "";
    fs::path Program = PlatformProgramFolder();
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
