// The console on Windows: the key comes from the console input device itself.
#include "feeder/console.h"

#include <windows.h>

void pause_seconds(int seconds) {
    Sleep(static_cast<DWORD>(seconds) * 1000);
}

void wait_for_key() {
    HANDLE input =
        CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (input == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD saved = 0;
    if (GetConsoleMode(input, &saved)) {
        // No line input, no echo, no Ctrl+C handling: any one key, Ctrl+C included, will do.
        SetConsoleMode(input, 0);
        char key = 0;
        DWORD count = 0;
        ReadConsoleA(input, &key, 1, &count, nullptr);
        SetConsoleMode(input, saved);
    }
    CloseHandle(input);
}
