#pragma once
// Runs a piece of the program in a child process, in a fresh folder: the
// demo ends the process on Escape, close and fatal errors, and its state is
// program-wide, so whole runs are made where they can do no harm. Every wait
// has a deadline: a run that hangs is killed and fails its test.
#include <sys/types.h>

#include <functional>
#include <string>

struct TempDir {
    TempDir();
    ~TempDir();
    std::string Path;
    std::string Read(const std::string& Name) const;  // a file's bytes, "" if none
};

struct ChildResult {
    int ExitCode;        // -1 when the child died of a signal, -2 when killed at the deadline
    std::string Stdout;
    std::string Stderr;
};

// Long enough for a whole demo under the sanitizers on a busy machine.
constexpr int ChildTimeoutMs = 300000;

// A program piece running in a child process, in its own folder.
struct RunningChild {
    pid_t Pid = -1;
    TempDir Output;  // its stdout and stderr
};

// Forks; the child changes to Folder, runs Body and exits with its result.
void StartChild(RunningChild* Child, const std::string& Folder, const std::function<int()>& Body);

// Waits up to TimeoutMs for the child to end; a child still running then is
// killed and reported with exit code -2.
ChildResult WaitForChild(RunningChild* Child, int TimeoutMs);

// Both at once: the child's result, or -2 when it ran past TimeoutMs.
ChildResult RunInChild(const std::string& Folder, const std::function<int()>& Body,
                       int TimeoutMs = ChildTimeoutMs);

// Waits up to TimeoutMs for the process Pid to end and gives its exit code,
// as in ChildResult.
int WaitForExit(pid_t Pid, int TimeoutMs);

// Forks a copy of this process that carries on from here as if it had run
// in Folder from the start: each file open in the current folder is copied
// into Folder and the copy takes its place, at the same position; stdout
// and stderr go to Folder's "stdout" and "stderr". Returns 0 in the copy and
// its pid in the original, which waits until the copy holds its own files.
pid_t ForkInto(const std::string& Folder);

// Counts the non-overlapping occurrences of Needle in Text.
int CountOf(const std::string& Text, const std::string& Needle);

// Works in a fresh folder for the lifetime of the object, then goes back.
struct InTempDir {
    InTempDir();
    ~InTempDir();
    TempDir Dir;
    std::string Previous;
};
