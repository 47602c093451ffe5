// The console seam: the poll pause and the key wait. One source file per platform implements
// them (console_posix.cpp, console_win32.cpp); unit tests link a recording fake.
#pragma once

// Sleeps; never a busy wait.
void pause_seconds(int seconds);

// Blocks until one key is pressed at the console itself (not standard input, which may be
// redirected) and discards it. No Enter is needed and Ctrl+C counts as a key. Returns at once
// when there is no console or the read fails.
void wait_for_key();
