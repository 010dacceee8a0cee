// The page's program: the title picture under "click to start", then the
// demo, unchanged, on the web backend. Its arguments are the page's query,
// as options (page.js).
#include <vector>

#include "core/Quit.h"
#include "image/Image.h"
#include "platform/web/Web.h"
#include "demo/MainLoop.h"
#include "demo/Options.h"

namespace {

// Without the picture the page stays black; the demo then says what is
// missing when it loads its pictures.
void ShowTitle()
{
    Image* Title = LoadPPM("Data/Loading.ppm");
    if (!Title)
        return;
    std::vector<uint32_t> Pixels(size_t(Title->Width) * size_t(Title->Height));
    for (size_t i = 0; i < Pixels.size(); ++i) {
        const uint8_t* Rgb = Title->Data + 3 * i;
        Pixels[i] = uint32_t(Rgb[0]) << 16 | uint32_t(Rgb[1]) << 8 | Rgb[2];
    }
    WebShowPicture(Pixels.data(), Title->Width, Title->Height);
    FreeImage(Title);
}

}  // namespace

// A main that has waited on the browser no longer ends the runtime by
// returning (Emscripten 3.1.6): Quit does, and the page learns the code.
int main(int argc, char** argv)
{
    const Settings Run = ReadSettings(argc, argv);
    ShowTitle();
    WebWaitForStart();
    Quit(DemoMain(Run));
}
