// The entry point: common controls, the application object on the stack, its start-up and
// the message loop. A failed start ends the program with exit code 1; the command line is
// ignored.
#include <windows.h>
#include <commctrl.h>

#include "tovrel.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int exitCode = 1;
    {
        Tovrel app;
        if (app.Initialize(instance, showCommand)) {
            app.RunMessageLoop();
            exitCode = 0;
        }
    }
    return exitCode;
}
