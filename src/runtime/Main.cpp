// The program entry. It takes no arguments.
#include "runtime/MainLoop.h"

int main()
{
    return DemoMain();
}
