// The POSIX console against a pseudo-terminal that a child process takes as its controlling
// terminal, as a user's terminal would be.
#include "feeder/console.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The child's exit status, or -1 when it had not ended within `limit`.
int wait_child(pid_t child, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool same_mode(const termios &a, const termios &b) {
    return a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME];
}

} // namespace

TEST(WaitForKey, TakesCtrlCAsTheKeyFromTheTerminalAndRestoresItsMode) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave_name = ptsname(master);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setsid();
        const int slave = open(slave_name.c_str(), O_RDWR); // now the controlling terminal
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO); // the key must not come from standard input
        termios before;
        tcgetattr(slave, &before);
        wait_for_key();
        termios after;
        tcgetattr(slave, &after);
        _exit(same_mode(before, after) ? 0 : 2);
    }

    // Once the child has switched the terminal to raw input, Ctrl+C is a key like any other.
    termios mode;
    const auto end = std::chrono::steady_clock::now() + 5s;
    do {
        std::this_thread::sleep_for(10ms);
        tcgetattr(master, &mode);
    } while ((mode.c_lflag & ICANON) != 0 && std::chrono::steady_clock::now() < end);
    EXPECT_EQ(mode.c_lflag & (ICANON | ECHO | ISIG), 0u);
    ASSERT_EQ(write(master, "\x03", 1), 1);

    EXPECT_EQ(wait_child(child, 5000ms), 0) << "0: ended, mode restored; 2: mode not restored";
    close(master);
}

TEST(WaitForKey, ReturnsAtOnceWithoutATerminal) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setsid(); // no controlling terminal any more
        wait_for_key();
        _exit(0);
    }
    EXPECT_EQ(wait_child(child, 2000ms), 0);
}

TEST(PauseSeconds, SleepsInsteadOfSpinning) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    pause_seconds(1);
    const double cpu_seconds = double(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_LT(cpu_seconds, 0.01);
}
