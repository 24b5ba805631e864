// Veskora.exe's entry point. The command line is never read.
#include <windows.h>

#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int status = veskora::StartProgram();
    veskora::EndProgram(status);
    return status;
}
