// The program entry. It takes no arguments.
#include "demo/MainLoop.h"

int main()
{
    return DemoMain();
}
