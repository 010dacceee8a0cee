#include "support/Child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string Pattern = (fs::temp_directory_path() / "vorlune-XXXXXX").string();
    if (!mkdtemp(Pattern.data()))
        std::abort();
    Path = Pattern;
}

TempDir::~TempDir()
{
    std::error_code Ignored;
    fs::remove_all(Path, Ignored);
}

std::string TempDir::Read(const std::string& Name) const
{
    std::ifstream File(Path + "/" + Name, std::ios::binary);
    std::ostringstream Bytes;
    Bytes << File.rdbuf();
    return Bytes.str();
}

namespace {

void Redirect(int Fd, const std::string& File)
{
    int Target = open(File.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(Target, Fd);
    close(Target);
}

// Each descriptor of a regular file in Folder, with the file's path; listed
// before anything is changed, since the listing itself opens a descriptor.
std::vector<std::pair<int, fs::path>> FilesOpenIn(const fs::path& Folder)
{
    std::vector<std::pair<int, fs::path>> Open;
    for (const fs::directory_entry& Entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code Error;
        fs::path Target = fs::read_symlink(Entry.path(), Error);
        if (!Error && Target.parent_path() == Folder && fs::is_regular_file(Target, Error))
            Open.emplace_back(std::stoi(Entry.path().filename().string()), Target);
    }
    return Open;
}

// Buffered output not yet written lands in the copy, where it belongs.
void MoveOpenFiles(const fs::path& From, const fs::path& To)
{
    for (const auto& [Fd, File] : FilesOpenIn(From)) {
        fs::path Copy = To / File.filename();
        fs::copy_file(File, Copy, fs::copy_options::overwrite_existing);
        int Flags = fcntl(Fd, F_GETFL) & (O_ACCMODE | O_APPEND);
        int Replacement = open(Copy.c_str(), Flags);
        lseek(Replacement, lseek(Fd, 0, SEEK_CUR), SEEK_SET);
        dup2(Replacement, Fd);
        close(Replacement);
    }
}

}  // namespace

void StartChild(RunningChild* Child, const std::string& Folder, const std::function<int()>& Body)
{
    std::fflush(nullptr);
    Child->Pid = fork();
    if (Child->Pid == 0) {
        Redirect(1, Child->Output.Path + "/stdout");
        Redirect(2, Child->Output.Path + "/stderr");
        if (chdir(Folder.c_str()) != 0)
            _exit(125);
        std::exit(Body());
    }
}

int WaitForExit(pid_t Pid, int TimeoutMs)
{
    using Clock = std::chrono::steady_clock;
    auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    int Status = 0;
    pid_t Waited;
    while ((Waited = waitpid(Pid, &Status, WNOHANG)) == 0) {
        if (Clock::now() > Deadline) {
            kill(Pid, SIGKILL);
            waitpid(Pid, &Status, 0);
            return -2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (Waited < 0)
        return -1;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

ChildResult WaitForChild(RunningChild* Child, int TimeoutMs)
{
    int Code = WaitForExit(Child->Pid, TimeoutMs);
    return {Code, Child->Output.Read("stdout"), Child->Output.Read("stderr")};
}

ChildResult RunInChild(const std::string& Folder, const std::function<int()>& Body, int TimeoutMs)
{
    RunningChild Child;
    StartChild(&Child, Folder, Body);
    return WaitForChild(&Child, TimeoutMs);
}

pid_t ForkInto(const std::string& Folder)
{
    int Ready[2];
    if (pipe(Ready) != 0)
        std::abort();
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t Pid = fork();
    if (Pid == 0) {
        close(Ready[0]);
        MoveOpenFiles(fs::canonical(fs::current_path()), Folder);
        Redirect(1, Folder + "/stdout");
        Redirect(2, Folder + "/stderr");
        if (chdir(Folder.c_str()) != 0)
            _exit(125);
        if (write(Ready[1], "", 1) != 1)
            _exit(125);
        close(Ready[1]);
        return 0;
    }
    close(Ready[1]);
    char Byte;
    while (read(Ready[0], &Byte, 1) < 0 && errno == EINTR) {
    }
    close(Ready[0]);
    return Pid;
}

int CountOf(const std::string& Text, const std::string& Needle)
{
    int Count = 0;
    for (size_t At = Text.find(Needle); At != std::string::npos; At = Text.find(Needle, At + Needle.size()))
        ++Count;
    return Count;
}

InTempDir::InTempDir() : Previous(fs::current_path().string())
{
    fs::current_path(Dir.Path);
}

InTempDir::~InTempDir()
{
    fs::current_path(Previous);
}
