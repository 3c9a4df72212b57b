#include "TerminalAlert.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

const char* const kTerminalPath = "/dev/tty";
const char kEscape = 27;
const char kControlC = 3;
/// An Escape followed this quickly by more bytes starts a key's escape
/// sequence (an arrow, a function key), not the Escape key.
const int kEscapeSequenceMilliseconds = 50;

const char* LabelOf(AlertType alertType) {
    switch (alertType) {
    case kAlertStopAlert:
        return "Error: ";
    case kAlertCautionAlert:
        return "Warning: ";
    case kAlertNoteAlert:
        return "Note: ";
    default:
        return "";
    }
}

/// The terminal opened for one alert, in raw mode while it lives: keys come a
/// byte at a time, unechoed, Control-C as a byte instead of a signal. The
/// settings it found come back on every way out.
class RawTerminal {
public:
    RawTerminal() : fd(open(kTerminalPath, O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (fd < 0 || tcgetattr(fd, &saved) != 0) {
            return;
        }
        termios raw = saved;
        raw.c_lflag &= ~(ICANON | ECHO | ISIG | IEXTEN);
        raw.c_iflag &= ~(ICRNL | INLCR | IXON);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        // Flushing drops keys typed before the alert appeared.
        inRawMode = tcsetattr(fd, TCSAFLUSH, &raw) == 0;
    }
    ~RawTerminal() {
        if (inRawMode) {
            tcsetattr(fd, TCSADRAIN, &saved);
        }
        if (fd >= 0) {
            close(fd);
        }
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

    bool ready() const { return inRawMode; }

    bool write(const std::string& text) const {
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno != EINTR) {
                return false;
            }
            done += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        return true;
    }

    /// The next byte, or false when the terminal failed or closed.
    bool read(char& byte) const {
        for (;;) {
            ssize_t n = ::read(fd, &byte, 1);
            if (n == 1) {
                return true;
            }
            if (n == 0 || errno != EINTR) {
                return false;
            }
        }
    }

    bool moreWithin(int milliseconds) const {
        pollfd waiting{fd, POLLIN, 0};
        return poll(&waiting, 1, milliseconds) == 1;
    }

private:
    int fd;
    termios saved{};
    bool inRawMode = false;
};

std::string Layout(const AlertContent& alert) {
    std::string text = "\n" + std::string(LabelOf(alert.alertType)) + alert.message + "\n";
    if (!alert.detail.empty()) {
        text += "\n" + alert.detail + "\n";
    }
    text += "\n";
    for (std::size_t i = 0; i < alert.buttons.size(); ++i) {
        text += "  [" + std::to_string(i + 1) + "] " + alert.buttons[i].title;
        if (static_cast<int>(i) == alert.defaultIndex) {
            text += " (default)";
        }
    }
    text += "\n  Return: ";
    text += alert.defaultIndex >= 0 ? alert.buttons[alert.defaultIndex].title : "nothing";
    text += "   Escape: ";
    text += alert.cancelIndex >= 0 ? alert.buttons[alert.cancelIndex].title : "nothing";
    text += "   or a button's number or first letter\n";
    return text;
}

/// The button a key presses, or -1.
int ButtonFor(const AlertContent& alert, char key) {
    if (key == '\r' || key == '\n') {
        return alert.defaultIndex;
    }
    if (key == kEscape) {
        return alert.cancelIndex;
    }
    int count = static_cast<int>(alert.buttons.size());
    if (key >= '1' && key < '1' + count) {
        return key - '1';
    }
    for (int i = 0; i < count; ++i) {
        const std::string& title = alert.buttons[i].title;
        if (!title.empty() && std::isalpha(static_cast<unsigned char>(key)) &&
            std::tolower(static_cast<unsigned char>(title[0])) ==
                std::tolower(static_cast<unsigned char>(key))) {
            return i;
        }
    }
    return -1;
}

/// Reads the rest of a key's escape sequence, and no further, so that a key
/// typed right after it still counts: ESC [ parameters final-byte, ESC O
/// letter, or ESC and one other byte (Alt with a key).
void SkipEscapeSequence(const RawTerminal& terminal) {
    char byte;
    if (!terminal.read(byte)) {
        return;
    }
    if (byte == 'O') {
        terminal.read(byte);
    } else if (byte == '[') {
        while (terminal.read(byte) && (byte < 0x40 || byte > 0x7E)) {
        }
    }
}

} // namespace

bool TerminalAlertAvailable() {
    int fd = open(kTerminalPath, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

OSErr PresentTerminalAlert(const AlertContent& alert, DialogItemIndex& itemHit) {
    RawTerminal terminal;
    if (!terminal.ready() || !terminal.write(Layout(alert))) {
        return ioErr;
    }
    for (;;) {
        char key;
        if (!terminal.read(key)) {
            return ioErr;
        }
        if (key == kControlC) {
            terminal.write("\n");
            return userCanceledErr;
        }
        if (key == kEscape && terminal.moreWithin(kEscapeSequenceMilliseconds)) {
            SkipEscapeSequence(terminal);
            continue;
        }
        int pressed = ButtonFor(alert, key);
        if (pressed >= 0) {
            terminal.write("  " + alert.buttons[pressed].title + "\n");
            itemHit = alert.buttons[pressed].item;
            return noErr;
        }
    }
}
