// The program's entry: the settings from the command line, then the demo.
#include "demo/MainLoop.h"
#include "demo/Options.h"
#include "platform/System.h"

int main(int argc, char** argv)
{
    PlatformOpenConsole();
    return DemoMain(ReadSettings(argc, argv));
}
