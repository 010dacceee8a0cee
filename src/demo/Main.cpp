// The program's entry: the settings from the command line, then the demo.
#include "demo/MainLoop.h"
#include "demo/Options.h"

int main(int argc, char** argv)
{
    return DemoMain(ReadSettings(argc, argv));
}
