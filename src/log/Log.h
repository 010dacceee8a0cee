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

// The log's length in bytes so far; 0 while closed.
uint64_t LogLength();
// Cuts the log back to Length bytes, where the next message then goes: a
// replay of the show writes again what followed.
void CutLog(uint64_t Length);

// Writes the closing banner and closes the log; does nothing when closed.
void CloseLog();

// A few error lines end with a place, "file <Utils> line <91>". It is fixed
// text that readers of the log know, not a place in this program's sources;
// every such line goes through LogPlaced, which fills in the file and the
// line: Format holds a %s for the file, then a %d for Line.
void LogPlaced(const char* Format, int32_t Line);
// "Error!! Allocate failed file <Utils> line <Line>".
void LogFailedAllocation(int32_t Line);
