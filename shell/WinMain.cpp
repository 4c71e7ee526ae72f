// Entry point of Huebench.
#include <windows.h>
#include "Huebench.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return RunHuebench(instance, showCommand);
}
