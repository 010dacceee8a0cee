// The program's own folder, from the system rather than argv[0], so that a
// program started through a link or from the search path still knows it.
#include <filesystem>

#include "platform/System.h"

#if defined(_WIN32)

#include <windows.h>

std::string PlatformProgramFolder()
{
    wchar_t Path[MAX_PATH];
    DWORD Length = GetModuleFileNameW(nullptr, Path, MAX_PATH);
    if (Length == 0 || Length == MAX_PATH)
        return "";
    return std::filesystem::path(Path, Path + Length).parent_path().string();
}

#else

#include <unistd.h>

// Through /proc: empty where there is none (the browser).
std::string PlatformProgramFolder()
{
    char Path[4096];
    ssize_t Length = readlink("/proc/self/exe", Path, sizeof Path - 1);
    if (Length <= 0)
        return "";
    return std::filesystem::path(std::string(Path, size_t(Length))).parent_path().string();
}

#endif
