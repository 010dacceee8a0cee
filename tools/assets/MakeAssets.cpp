// make-assets OUTDIR [--contact-sheet FILE.ppm]: draws the pictures and
// composes the tune into OUTDIR, the folder the demo runs from.
#include <cstdio>
#include <cstring>

#include "Assets.h"

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0)
        return WritePPM(DrawContactSheet(), argv[3]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR [--contact-sheet FILE.ppm]\n");
        return 2;
    }
    return WriteAssets(argv[1]) ? 0 : 1;
}
