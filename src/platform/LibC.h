#pragma once
// Where Windows' C library (MinGW) differs from POSIX, in one place. Every
// file the program writes is binary: in text mode Windows would write each
// "\n" as "\r\n", and the logs would no longer be the same bytes.
#include <fcntl.h>

#include <cstdio>
#include <ctime>
#include <string>

#if defined(_WIN32)

// Not inherited by the programs we start, as O_CLOEXEC gives elsewhere.
constexpr int CreateFileFlags = O_WRONLY | O_CREAT | O_TRUNC | O_BINARY | O_NOINHERIT;

inline void LocalTime(std::time_t When, std::tm* Local)
{
    localtime_s(Local, &When);
}

// The command runs under cmd.exe, which quotes with double quotes only.
inline std::string ShellQuoted(const std::string& Text)
{
    return "\"" + Text + "\"";
}

// Windows has no SIGPIPE: a write to a closed pipe just fails.
inline FILE* OpenPipeTo(const std::string& Command)
{
    return _popen(Command.c_str(), "wb");
}

inline int ClosePipe(FILE* Pipe)
{
    return _pclose(Pipe);
}

#else

#include <csignal>

constexpr int CreateFileFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;

inline void LocalTime(std::time_t When, std::tm* Local)
{
    localtime_r(&When, Local);
}

inline std::string ShellQuoted(const std::string& Text)
{
    std::string Out = "'";
    for (char c : Text)
        Out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return Out + "'";
}

// A reader that quits early makes our writes fail instead of killing us.
inline FILE* OpenPipeTo(const std::string& Command)
{
    std::signal(SIGPIPE, SIG_IGN);
    return popen(Command.c_str(), "w");
}

inline int ClosePipe(FILE* Pipe)
{
    return pclose(Pipe);
}

#endif
