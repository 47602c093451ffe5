// A Win32 stand-in for the backgammon program's dice dialog, for end-to-end tests under Wine: a
// top-level window titled "GNU Backgammon - Dice", with a caption and a border, that logs what
// happens to it, one line per event:
//   mapped CX CY WX WY     the window is shown; its client origin and its window origin
//   press X Y              WM_LBUTTONDOWN, in client coordinates
//   release X Y            WM_LBUTTONUP, in client coordinates
//   pointer X Y            the pointer's screen position at start and 300 ms after a release
//
//   standin_dialog_win32 MODE X Y LOG
// MODE close: the window closes after each click and opens again 300 ms later, as the real
//             dialog does; stay: it stays open; hidden: it is created but never shown;
//             minimised: it is shown minimised.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char TITLE[] = "GNU Backgammon - Dice";
constexpr char CLASS_NAME[] = "StandinDiceDialog";
constexpr ULONGLONG SETTLE_MS = 300;

std::FILE *log_file;
const char *mode;
int left;
int top;
// When to log the pointer, and when to open the window again; 0: not due.
ULONGLONG check_pointer_at;
ULONGLONG reopen_at;

void log_line(const char *format, long a, long b, long c = 0, long d = 0) {
    std::fprintf(log_file, format, a, b, c, d);
    std::fputc('\n', log_file);
    std::fflush(log_file);
}

void open_window() {
    HWND window = CreateWindowExA(0, CLASS_NAME, TITLE, WS_OVERLAPPEDWINDOW, left, top, 640, 400,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (std::strcmp(mode, "hidden") == 0) {
        std::fputs("hidden\n", log_file);
        std::fflush(log_file);
        return;
    }
    const bool minimised = std::strcmp(mode, "minimised") == 0;
    ShowWindow(window, minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    UpdateWindow(window);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    RECT frame;
    GetWindowRect(window, &frame);
    log_line("mapped %ld %ld %ld %ld", client.x, client.y, frame.left, frame.top);
}

LRESULT CALLBACK dialog_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_LBUTTONDOWN:
        log_line("press %ld %ld", static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
        return 0;
    case WM_LBUTTONUP:
        log_line("release %ld %ld", static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
        check_pointer_at = GetTickCount64() + SETTLE_MS;
        if (std::strcmp(mode, "close") == 0) {
            DestroyWindow(window);
            reopen_at = GetTickCount64() + SETTLE_MS;
        }
        return 0;
    default:
        return DefWindowProcA(window, message, w, l);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: standin_dialog_win32 close|stay|hidden|minimised X Y LOG\n");
        return 2;
    }
    mode = argv[1];
    left = std::atoi(argv[2]);
    top = std::atoi(argv[3]);
    log_file = std::fopen(argv[4], "ab");
    if (log_file == nullptr) {
        return 1;
    }
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = dialog_procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = CLASS_NAME;
    RegisterClassA(&window_class);
    open_window();
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    log_line("pointer %ld %ld", pointer.x, pointer.y);

    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (check_pointer_at != 0 && now >= check_pointer_at) {
            GetCursorPos(&pointer);
            log_line("pointer %ld %ld", pointer.x, pointer.y);
            check_pointer_at = 0;
        }
        if (reopen_at != 0 && now >= reopen_at) {
            open_window();
            reopen_at = 0;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
