#pragma once
// The verbose log "LogDemo.txt": banners, a tiny formatter, one write per message.
#include <cstdint>

// Creates (truncates) the log and writes the opening banner. An empty name
// gives "Log--H-M-S.txt" from the local time. Returns 1 on success; on
// failure writes one line to stderr and returns 0, leaving the log closed.
int32_t OpenLog(const char* FileName);

// Formats one message and appends it with one write, unbuffered. Knows %c %d %i %f %s and
// %%; any other pair after '%' is dropped and takes no argument. Dropped
// while the log is closed.
void LogPrint(const char* Format, ...);

// Writes the closing banner and closes the log; does nothing when closed.
void CloseLog();
