// The console on Linux and other POSIX systems: the key comes from the controlling terminal.
#include "feeder/console.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

void pause_seconds(int seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
}

void wait_for_key() {
    const int tty = open("/dev/tty", O_RDONLY | O_NOCTTY);
    if (tty < 0) {
        return;
    }
    termios saved;
    if (tcgetattr(tty, &saved) == 0) {
        termios raw = saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(tty, TCSANOW, &raw);
        char key = 0;
        // A read cut short by a stop and continue is not a key: read again.
        while (read(tty, &key, 1) < 0 && errno == EINTR) {
        }
        tcsetattr(tty, TCSANOW, &saved);
    }
    close(tty);
}
