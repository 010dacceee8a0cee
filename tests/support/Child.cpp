#include "support/Child.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::TempDir()
{
    std::string Pattern = (std::filesystem::temp_directory_path() / "vorlune-XXXXXX").string();
    if (!mkdtemp(Pattern.data()))
        std::abort();
    Path = Pattern;
}

TempDir::~TempDir()
{
    std::error_code Ignored;
    std::filesystem::remove_all(Path, Ignored);
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

std::string Slurp(const std::string& File)
{
    std::ifstream In(File, std::ios::binary);
    std::ostringstream Bytes;
    Bytes << In.rdbuf();
    return Bytes.str();
}

}  // namespace

ChildResult RunInChild(const std::string& Folder, const std::function<int()>& Body)
{
    TempDir Output;
    std::string Out = Output.Path + "/stdout", Err = Output.Path + "/stderr";
    std::fflush(nullptr);
    pid_t Child = fork();
    if (Child == 0) {
        Redirect(1, Out);
        Redirect(2, Err);
        if (chdir(Folder.c_str()) != 0)
            _exit(125);
        std::exit(Body());
    }
    int Status = 0;
    waitpid(Child, &Status, 0);
    int Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return {Code, Slurp(Out), Slurp(Err)};
}

int CountOf(const std::string& Text, const std::string& Needle)
{
    int Count = 0;
    for (size_t At = Text.find(Needle); At != std::string::npos; At = Text.find(Needle, At + Needle.size()))
        ++Count;
    return Count;
}

InTempDir::InTempDir() : Previous(std::filesystem::current_path().string())
{
    std::filesystem::current_path(Dir.Path);
}

InTempDir::~InTempDir()
{
    std::filesystem::current_path(Previous);
}
