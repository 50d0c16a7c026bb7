#include "app/terminal/LineEditor.h"

#include <fcntl.h>
#include <histedit.h>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <utility>

namespace {

constexpr int rememberedLines = 200;
constexpr int escapeByte = 0x1b;

struct Binding {
    const char* key;
    const char* command;
};

// The keys that have a meaning while a line is typed, besides the emacs defaults for control
// characters. Every other key that sends an escape sequence types nothing.
constexpr Binding bindings[] = {
    {"^U", "vi-kill-line-prev"},        {"^W", "ed-delete-prev-word"}, {"\x1b[A", "ed-prev-history"},
    {"\x1bOA", "ed-prev-history"},      {"\x1b[B", "ed-next-history"}, {"\x1bOB", "ed-next-history"},
    {"\x1b[C", "ed-next-char"},         {"\x1bOC", "ed-next-char"},    {"\x1b[D", "ed-prev-char"},
    {"\x1bOD", "ed-prev-char"},         {"\x1b[H", "ed-move-to-beg"},  {"\x1bOH", "ed-move-to-beg"},
    {"\x1b[1~", "ed-move-to-beg"},      {"\x1b[7~", "ed-move-to-beg"}, {"\x1b[F", "ed-move-to-end"},
    {"\x1bOF", "ed-move-to-end"},       {"\x1b[4~", "ed-move-to-end"}, {"\x1b[8~", "ed-move-to-end"},
    {"\x1b[3~", "ed-delete-next-char"},
};

bool isBound(const std::string& key) {
    for (const Binding& binding : bindings) {
        if (key == binding.key) {
            return true;
        }
    }
    return false;
}

// Columns that libedit gives the typed text: control characters show as ^X.
std::size_t displayWidth(const wchar_t* text, std::size_t length) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int columns = ::wcwidth(text[i]);
        width += columns < 0 ? 2 : static_cast<std::size_t>(columns);
    }
    return width;
}

// libedit decodes and deletes whole characters only in a UTF-8 locale; the program's own texts
// are plain ASCII, so a UTF-8 character type never changes them.
void useUtf8Characters() {
    const char* chosen = std::setlocale(LC_CTYPE, "");
    if (chosen == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

// The terminal itself for the echo: libedit falls back to the kernel's line mode, with its
// limit of 4096 bytes a line, when its output is not a terminal.
std::FILE* openEcho(int terminalFd) {
    int fd = -1;
    if (const char* name = ::ttyname(terminalFd)) {
        fd = ::open(name, O_WRONLY | O_NOCTTY | O_CLOEXEC);
    }
    if (fd < 0) {
        fd = ::fcntl(terminalFd, F_DUPFD_CLOEXEC, 0);
    }
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
    if (file == nullptr && fd >= 0) {
        ::close(fd);
    }
    return file != nullptr ? file : stdout;
}

void bindKeys(EditLine* editor) {
    el_set(editor, EL_EDITOR, "emacs");
    for (const Binding& binding : bindings) {
        el_set(editor, EL_BIND, binding.key, binding.command, nullptr);
    }
}

}  // namespace

LineEditor::LineEditor(int terminalFd, ByteSource& bytes, Screen around) : input(bytes), screen(std::move(around)) {
    useUtf8Characters();
    echo = openEcho(terminalFd);
    editor = el_init_fd("tavolent", stdin, echo, echo, terminalFd, ::fileno(echo), ::fileno(echo));
    typedLines = history_init();
    HistEvent event{};
    history(typedLines, &event, H_SETSIZE, rememberedLines);
    el_set(editor, EL_CLIENTDATA, this);
    el_set(editor, EL_HIST, history, typedLines);
    el_set(editor, EL_PROMPT, promptOf);
    el_wset(editor, EL_GETCFN, readCharacter);
    // At the end of each line libedit sets the terminal back to the mode it calls cooked. With
    // line mode there, the kernel would hold (and beyond 4095 bytes drop) what is typed or
    // pasted until the program takes the terminal back; without it, nothing is lost between.
    // CR and LF come as themselves in both modes, so that the LF of a pasted CR LF is known
    // as part of its line end rather than read as a second, empty line.
    el_set(editor, EL_SETTY, "-x", "-icanon", "-echo", "-icrnl", "-inlcr", nullptr);
    el_set(editor, EL_SETTY, "-d", "-icrnl", "-inlcr", nullptr);
    bindKeys(editor);
    setg(line.data(), line.data(), line.data());
}

LineEditor::~LineEditor() {
    el_end(editor);
    history_end(typedLines);
    if (echo != stdout) {
        std::fclose(echo);
    }
}

LineEditor::int_type LineEditor::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    // What the program wrote goes out before the wait; libedit draws the whole line again as
    // its prompt, from where the line starts.
    std::cout.flush();
    keepPendingPart();
    prompt.clear();
    if (screen.drawsPrompt()) {
        prompt = promptsOnLine.empty() ? lastPrompt : promptsOnLine;
    }
    // Without a prompt of its own the line is typed where the cursor stands.
    if (!prompt.empty()) {
        moveToStartOfLine(prompt.size());
    }
    // A value that goes on past its line (a numerator, then Enter) is shown going on: after its
    // prompt stands what is pending, and a blank for the line end, which parts it from what
    // follows just as it does when the reader skips it.
    if (!pendingValue.empty()) {
        prompt += pendingValue;
        prompt += ' ';
    }
    int count = 0;
    const char* typed = el_gets(editor, &count);
    if (typed == nullptr || count <= 0) {
        // libedit leaves its ^D after the prompt; whatever follows starts on a line of its own.
        std::fputc('\n', echo);
        std::fflush(echo);
    }
    const std::size_t typedLength = typed == nullptr ? 0 : std::strcspn(typed, "\r\n");
    screen.afterLine(prompt + std::string(typed == nullptr ? "" : typed, typedLength));
    promptsOnLine.clear();
    if (typed == nullptr || count <= 0) {
        line.clear();
        setg(line.data(), line.data(), line.data());
        return traits_type::eof();
    }
    lineFeedMayFollow = lastByte == '\r';
    line.assign(typed, static_cast<std::size_t>(count));
    const std::size_t end = line.find_last_not_of("\r\n");
    if (end != std::string::npos) {
        HistEvent event{};
        history(typedLines, &event, H_ENTER, line.substr(0, end + 1).c_str());
    }
    setg(line.data(), line.data(), line.data() + line.size());
    return traits_type::to_int_type(*gptr());
}

void LineEditor::startValue(std::string_view handed, bool sameLine) {
    valueStart = static_cast<std::size_t>(gptr() - eback());
    pendingValue.clear();
    lastPrompt = handed.substr(handed.rfind('\n') + 1);
    if (!sameLine) {
        promptsOnLine.clear();
    }
    promptsOnLine += lastPrompt;
}

void LineEditor::keepPendingPart() {
    constexpr const char* blanks = " \t\r\n";
    const std::size_t first = line.find_first_not_of(blanks, valueStart);
    if (first != std::string::npos) {
        const std::size_t last = line.find_last_not_of(blanks);
        if (!pendingValue.empty()) {
            pendingValue += ' ';
        }
        pendingValue.append(line, first, last + 1 - first);
    }
    valueStart = 0;
}

int LineEditor::readCharacter(EditLine* editor, wchar_t* character) {
    LineEditor* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return self->nextCharacter(*character) ? 1 : 0;
}

bool LineEditor::nextCharacter(wchar_t& character) {
    for (;;) {
        if (!boundKey.empty()) {
            character = boundKey.front();
            boundKey.erase(0, 1);
            return true;
        }
        const int byte = heldByte >= 0 ? std::exchange(heldByte, -1) : input.next();
        if (byte == ByteSource::endOfInput) {
            return false;
        }
        // A pasted CR LF is one line end, as it is through a pipe.
        if (byte >= 0 && std::exchange(lineFeedMayFollow, false) && byte == '\n') {
            continue;
        }
        if (byte == resized) {
            redrawAfterResize();
        } else if (byte == continued) {
            // The shell has left the cursor on a fresh line: the line is drawn there.
            el_set(editor, EL_REFRESH);
        } else if (byte == escapeByte && std::mbsinit(&decoding) != 0) {
            takeEscapedKey();
        } else if (decode(byte, character)) {
            lastByte = byte;
            // libedit would take a tab for completion; in a pasted table it parts the values.
            if (character == L'\t') {
                character = L' ';
            }
            return true;
        }
    }
}

// Not UTF-8: kept visible as a replacement character, so the value is refused with a message
// rather than read wrongly. A byte that broke off a character begins the next one.
bool LineEditor::decode(int byte, wchar_t& character) {
    const bool continuing = std::mbsinit(&decoding) == 0;
    const char narrow = static_cast<char>(byte);
    const std::size_t used = std::mbrtowc(&character, &narrow, 1, &decoding);
    if (used == static_cast<std::size_t>(-2)) {
        return false;
    }
    if (used == static_cast<std::size_t>(-1)) {
        decoding = std::mbstate_t{};
        character = L'\xfffd';
        if (continuing) {
            heldByte = byte;
        }
    }
    return true;
}

void LineEditor::takeEscapedKey() {
    std::string key(1, static_cast<char>(escapeByte));
    key += takeEscapeSequence(input);
    if (isBound(key)) {
        boundKey.assign(key.begin(), key.end());
    }
}

// The cursor stands after `columnsBeforeCursor` columns of the line, which the terminal has
// wrapped at its width: back to the start of the line's first row.
void LineEditor::moveToStartOfLine(std::size_t columnsBeforeCursor) {
    std::fputc('\r', echo);
    const int columns = terminalColumns();
    // Right after the last column of a row the cursor still stands in that row.
    if (columns > 0 && columnsBeforeCursor > 0) {
        const std::size_t rows = (columnsBeforeCursor - 1) / static_cast<std::size_t>(columns);
        if (rows > 0) {
            std::fprintf(echo, "\x1b[%zuA", rows);
        }
    }
    std::fflush(echo);
}

// Some terminals wrap their rows anew to a new width, others cut them, and libedit's rows end
// where their blanks begin: where the line now starts cannot be known. The screen since it was
// cleared is drawn again instead, and libedit draws the prompt and the line after it.
void LineEditor::redrawAfterResize() {
    const std::string* above = screen.linesAbove();
    if (above == nullptr) {
        redrawLineAfterResize();
        return;
    }
    std::fputs("\x1b[H\x1b[2J", echo);
    // Each line end goes out as CR LF, whatever libedit's mode does with an LF alone.
    for (const char character : *above) {
        if (character == '\n') {
            std::fputc('\r', echo);
        }
        std::fputc(character, echo);
    }
    std::fflush(echo);
    el_resize(editor);
    el_set(editor, EL_REFRESH);
}

// Without the screen, as for a terminal that wraps its rows anew: the prompt and the line are
// drawn again from where the line starts at the new width, and whatever stood below is cleared.
void LineEditor::redrawLineAfterResize() {
    const LineInfoW* typed = el_wline(editor);
    const auto typedBeforeCursor = static_cast<std::size_t>(typed->cursor - typed->buffer);
    // libedit moves on to the next row as soon as a row is full.
    moveToStartOfLine(prompt.size() + displayWidth(typed->buffer, typedBeforeCursor) + 1);
    std::fputs("\x1b[J", echo);
    std::fflush(echo);
    el_resize(editor);
    el_set(editor, EL_REFRESH);
}

int LineEditor::terminalColumns() const {
    winsize size{};
    return ::ioctl(::fileno(echo), TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

char* LineEditor::promptOf(EditLine* editor) {
    LineEditor* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return self->prompt.data();
}
