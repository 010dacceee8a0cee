#pragma once
// Runs a piece of the program in a child process, in a fresh folder: the
// demo ends the process on Escape, close and fatal errors, and its state is
// program-wide, so whole runs are made where they can do no harm.
#include <functional>
#include <string>

struct TempDir {
    TempDir();
    ~TempDir();
    std::string Path;
    std::string Read(const std::string& Name) const;  // a file's bytes, "" if none
};

struct ChildResult {
    int ExitCode;        // -1 when the child died of a signal
    std::string Stdout;
    std::string Stderr;
};

// Forks; the child changes to Folder, runs Body and exits with its result.
ChildResult RunInChild(const std::string& Folder, const std::function<int()>& Body);

// Counts the non-overlapping occurrences of Needle in Text.
int CountOf(const std::string& Text, const std::string& Needle);

// Works in a fresh folder for the lifetime of the object, then goes back.
struct InTempDir {
    InTempDir();
    ~InTempDir();
    TempDir Dir;
    std::string Previous;
};
