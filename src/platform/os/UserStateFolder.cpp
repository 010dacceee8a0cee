// The per-user folder for what a program keeps between runs, where each
// system's desktop expects it.
#include <cstdlib>
#include <filesystem>

#include "platform/System.h"

#if defined(_WIN32)

// %LOCALAPPDATA%: the user's own, not roaming between machines.
std::string PlatformUserStateFolder()
{
    const wchar_t* Local = _wgetenv(L"LOCALAPPDATA");
    if (!Local || !Local[0])
        return "";
    try {
        return std::filesystem::path(Local).string();
    } catch (const std::exception&) {  // a name the code page can't hold
        return "";
    }
}

#else

// The XDG base directories' state folder, which must be absolute: a
// relative XDG_STATE_HOME is ignored, as the standard asks.
std::string PlatformUserStateFolder()
{
    const char* State = std::getenv("XDG_STATE_HOME");
    if (State && State[0] == '/')
        return State;
    const char* Home = std::getenv("HOME");
    if (!Home || Home[0] != '/')
        return "";
    return std::string(Home) + "/.local/state";
}

#endif
