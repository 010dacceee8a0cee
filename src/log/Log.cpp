#include "log/Log.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

FILE* LogFile = nullptr;

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
    localtime_r(&Now, &Local);
    return "Log--" + std::to_string(Local.tm_hour) + "-" + std::to_string(Local.tm_min) + "-" +
           std::to_string(Local.tm_sec) + ".txt";
}

void AppendInt(std::string& Message, int32_t Value)
{
    char Digits[16];
    auto End = std::to_chars(Digits, Digits + sizeof Digits, Value).ptr;
    Message.append(Digits, End);
}

void AppendFixed(std::string& Message, double Value)
{
    int Length = std::snprintf(nullptr, 0, "%f", Value);
    size_t At = Message.size();
    Message.resize(At + Length + 1);
    std::snprintf(Message.data() + At, Length + 1, "%f", Value);
    Message.resize(At + Length);
}

void FormatInto(std::string& Message, const char* Format, va_list Args)
{
    for (const char* p = Format; *p; ++p) {
        if (*p != '%') {
            Message += *p;
            continue;
        }
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

}  // namespace

int32_t OpenLog(const char* FileName)
{
    std::string Name = (FileName && *FileName) ? FileName : DefaultLogName();
    LogFile = std::fopen(Name.c_str(), "w");
    if (!LogFile) {
        std::fprintf(stderr, " ERREUR !!! - Impossible de creer le fichier %s\n", Name.c_str());
        return 0;
    }
    std::fputs(OpeningBanner, LogFile);
    std::fflush(LogFile);
    return 1;
}

void LogPrint(const char* Format, ...)
{
    if (!LogFile)
        return;
    // One buffer for the whole run: the blit logs on every call.
    static std::string Message;
    Message.clear();
    va_list Args;
    va_start(Args, Format);
    FormatInto(Message, Format, Args);
    va_end(Args);
    std::fwrite(Message.data(), 1, Message.size(), LogFile);
    std::fflush(LogFile);
}

void CloseLog()
{
    if (!LogFile)
        return;
    std::fputs(ClosingBanner, LogFile);
    std::fclose(LogFile);
    LogFile = nullptr;
}
