// make-assets OUTDIR [--contact-sheet FILE.ppm] [--icon FILE.png]: draws the
// pictures and composes the tune into OUTDIR, the folder the demo runs
// from; with an option, draws only that file.
#include <cstdio>
#include <cstring>

#include "Assets.h"
#include "Icon.h"

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0)
        return WritePPM(DrawContactSheet(), argv[3]) ? 0 : 1;
    if (argc == 4 && std::strcmp(argv[2], "--icon") == 0) {
        if (WritePNG(DrawIcon(), argv[3]))
            return 0;
        std::fprintf(stderr, "make-assets: cannot write %s\n", argv[3]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR [--contact-sheet FILE.ppm | --icon FILE.png]\n");
        return 2;
    }
    return WriteAssets(argv[1]) ? 0 : 1;
}
