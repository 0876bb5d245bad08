#include "app/TerminalPassword.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "runtime/store/SecretBytes.h"

namespace {

// Longer lines are read to their end and cut: the login's entry holds far
// fewer characters than this.
constexpr std::size_t kLineBytes = 256;

// Echo is off from construction to destruction, whatever happens between.
class EchoOff {
  public:
    EchoOff() : active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (!active_) return;
        termios quiet = saved_;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~EchoOff() {
        if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

  private:
    termios saved_{};
    bool active_;
};

// One byte at a time, so that nothing past the line is taken from the input
// and no library buffer keeps a copy of it. Answers the bytes kept, or -1 at
// the end of input before any byte.
long readLine(char* line, std::size_t size) {
    std::size_t kept = 0;
    bool any = false;
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) == 1) {
        any = true;
        if (c == '\n') break;
        if (kept < size) line[kept++] = c;
    }
    rt::wipeMemory(&c, sizeof c);
    if (kept > 0 && line[kept - 1] == '\r') --kept;
    return any ? static_cast<long>(kept) : -1;
}

}  // namespace

bool ReadMasterPassword(rt::FixedText& into) {
    char line[kLineBytes];
    long kept = -1;
    if (isatty(STDIN_FILENO)) {
        // Echo goes off before the prompt shows: a password typed as soon as
        // the prompt appears is neither echoed nor flushed away.
        EchoOff quiet;
        std::fputs("Master password: ", stderr);
        std::fflush(stderr);
        kept = readLine(line, sizeof line);
    } else {
        kept = readLine(line, sizeof line);
    }
    if (kept >= 0) into = std::string_view(line, static_cast<std::size_t>(kept));
    rt::wipeMemory(line, sizeof line);
    return kept >= 0;
}
