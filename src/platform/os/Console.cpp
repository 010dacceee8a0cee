// A console for the program's messages, where the system gives none.
#include "platform/System.h"

#if defined(_WIN32)

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// True when stderr goes to a temporary file because nobody would see it.
bool Kept = false;

bool Redirected(DWORD Stream)
{
    HANDLE Handle = GetStdHandle(Stream);
    return Handle != nullptr && Handle != INVALID_HANDLE_VALUE;
}

// A stream already sent to a file or a pipe stays there.
void ToConsole(DWORD Stream, FILE* File)
{
    if (!Redirected(Stream))
        std::freopen("CONOUT$", "w", File);
}

// Deleted by the system when the program ends ("D").
void KeepErrors()
{
    wchar_t Folder[MAX_PATH], Name[MAX_PATH];
    if (GetTempPathW(MAX_PATH, Folder) == 0 || GetTempFileNameW(Folder, L"vor", 0, Name) == 0)
        return;
    Kept = _wfreopen(Name, L"w+bD", stderr) != nullptr;
}

std::wstring Wide(const std::string& Text)
{
    int Length = MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0);
    std::wstring Out(size_t(Length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), Out.data(), Length);
    return Out;
}

}  // namespace

void PlatformOpenConsole()
{
    if (GetConsoleWindow() != nullptr)
        return;  // a console program, in its own console
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        ToConsole(STD_OUTPUT_HANDLE, stdout);
        ToConsole(STD_ERROR_HANDLE, stderr);
    } else if (!Redirected(STD_ERROR_HANDLE)) {
        KeepErrors();
    }
}

// The first lines are enough to say what went wrong.
void PlatformShowFailure()
{
    if (!Kept)
        return;
    char Text[2048];
    std::fflush(stderr);
    std::fseek(stderr, 0, SEEK_SET);
    size_t Length = std::fread(Text, 1, sizeof Text, stderr);
    if (Length == 0)
        return;
    MessageBoxW(nullptr, Wide(std::string(Text, Length)).c_str(), L"Vorlune", MB_OK | MB_ICONERROR);
}

#else

// Every program started from a desktop or a terminal has somewhere for
// its stderr to go.
void PlatformOpenConsole() {}
void PlatformShowFailure() {}

#endif
