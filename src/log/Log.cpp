#include "log/Log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/LibC.h"

namespace {

// A plain descriptor: each message is formatted once, into one buffer, and
// handed to the system in one write; a stream would copy it again.
int LogFd = -1;

const char OpeningBanner[] =
    "+--------------------------------------------------------+\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "|     D E B U T   D U   F I C H I E R   D E   L O G      |\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "+--------------------------------------------------------+\n"
    "\n\n";

const char ClosingBanner[] =
    "+--------------------------------------------------------+\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "|        FIN   D U   F I C H I E R   D E   L O G         |\n"
    "|                                                        |\n"
    "|                                                        |\n"
    "+--------------------------------------------------------+\n";

std::string DefaultLogName()
{
    std::time_t Now = std::time(nullptr);
    std::tm Local{};
    LocalTime(Now, &Local);
    return "Log--" + std::to_string(Local.tm_hour) + "-" + std::to_string(Local.tm_min) + "-" +
           std::to_string(Local.tm_sec) + ".txt";
}

void AppendInt(std::string& Message, int32_t Value)
{
    char Digits[16];
    auto End = std::to_chars(Digits, Digits + sizeof Digits, Value).ptr;
    Message.append(Digits, End);
}

// The widest "%f" of a double is 317 characters (DBL_MAX, sign, six decimals).
void AppendFixed(std::string& Message, double Value)
{
    char Text[400];
    const int Length = std::snprintf(Text, sizeof Text, "%f", Value);
    Message.append(Text, size_t(Length));
}

void FormatInto(std::string& Message, const char* Format, va_list Args)
{
    for (const char* p = Format; *p; ++p) {
        // The text up to the next pair, in one piece.
        const char* Pair = std::strchr(p, '%');
        if (!Pair) {
            Message.append(p);
            return;
        }
        Message.append(p, size_t(Pair - p));
        p = Pair;
        char Kind = *++p;
        if (Kind == '\0')
            return;  // a lone trailing '%' ends the message
        switch (Kind) {
        case '%': Message += '%'; break;
        case 'c': Message += static_cast<char>(va_arg(Args, int)); break;
        case 'd':
        case 'i': AppendInt(Message, va_arg(Args, int32_t)); break;
        case 'f': AppendFixed(Message, va_arg(Args, double)); break;
        case 's': {
            const char* Text = va_arg(Args, const char*);
            Message += Text ? Text : "(null)";
            break;
        }
        default: break;  // unknown pair: both characters dropped
        }
    }
}

// Everything, in as few writes as the system allows (one for a file).
void WriteAll(const char* Bytes, size_t Count)
{
    while (Count > 0) {
        const ssize_t Written = write(LogFd, Bytes, Count);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            return;
        Bytes += Written;
        Count -= size_t(Written);
    }
}

}  // namespace

int32_t OpenLog(const char* FileName)
{
    std::string Name = (FileName && *FileName) ? FileName : DefaultLogName();
    LogFd = open(Name.c_str(), CreateFileFlags, 0666);
    if (LogFd < 0) {
        std::fprintf(stderr, " ERREUR !!! - Impossible de creer le fichier %s\n", Name.c_str());
        return 0;
    }
    WriteAll(OpeningBanner, sizeof OpeningBanner - 1);
    return 1;
}

void LogPrint(const char* Format, ...)
{
    if (LogFd < 0)
        return;
    // One buffer for the whole run: the blit logs on every call.
    static std::string Message;
    Message.clear();
    va_list Args;
    va_start(Args, Format);
    FormatInto(Message, Format, Args);
    va_end(Args);
    WriteAll(Message.data(), Message.size());
}

uint64_t LogLength()
{
    const off_t End = LogFd < 0 ? -1 : lseek(LogFd, 0, SEEK_CUR);
    return End < 0 ? 0 : uint64_t(End);
}

void CutLog(uint64_t Length)
{
    if (LogFd >= 0 && ftruncate(LogFd, off_t(Length)) == 0)
        lseek(LogFd, off_t(Length), SEEK_SET);
}

void CloseLog()
{
    if (LogFd < 0)
        return;
    WriteAll(ClosingBanner, sizeof ClosingBanner - 1);
    close(LogFd);
    LogFd = -1;
}

void LogPlaced(const char* Format, int32_t Line)
{
    LogPrint(Format, "Utils", Line);
}

void LogFailedAllocation(int32_t Line)
{
    LogPlaced("Error!! Allocate failed file <%s> line <%d>\n", Line);
}
