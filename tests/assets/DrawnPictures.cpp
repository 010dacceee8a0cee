#include "DrawnPictures.h"

#include <map>
#include <stdexcept>

const PictureInfo& InfoOf(const std::string& File)
{
    for (const PictureInfo& Info : AllPictures())
        if (Info.File == File)
            return Info;
    throw std::runtime_error("no picture " + File);
}

const Canvas& Picture(const std::string& File)
{
    static std::map<std::string, Canvas> Drawn;
    auto Found = Drawn.find(File);
    if (Found == Drawn.end())
        Found = Drawn.emplace(File, InfoOf(File).Draw()).first;
    return Found->second;
}

int CountOf(const Canvas& C, Rgb Colour)
{
    int N = 0;
    for (const Rgb& P : C.Pixels)
        N += P == Colour;
    return N;
}

double Brightness(Rgb C) { return (C.R + C.G + C.B) / 3.0; }
