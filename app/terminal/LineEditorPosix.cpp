#include "app/terminal/LineEditor.h"

#include <fcntl.h>
#include <histedit.h>
#include <langinfo.h>
#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

constexpr int rememberedLines = 200;

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
    struct Binding {
        const char* key;
        const char* command;
    };
    static constexpr Binding bindings[] = {
        {"^U", "vi-kill-line-prev"},        {"^W", "ed-delete-prev-word"}, {"\x1b[A", "ed-prev-history"},
        {"\x1bOA", "ed-prev-history"},      {"\x1b[B", "ed-next-history"}, {"\x1bOB", "ed-next-history"},
        {"\x1b[C", "ed-next-char"},         {"\x1bOC", "ed-next-char"},    {"\x1b[D", "ed-prev-char"},
        {"\x1bOD", "ed-prev-char"},         {"\x1b[H", "ed-move-to-beg"},  {"\x1bOH", "ed-move-to-beg"},
        {"\x1b[1~", "ed-move-to-beg"},      {"\x1b[7~", "ed-move-to-beg"}, {"\x1b[F", "ed-move-to-end"},
        {"\x1bOF", "ed-move-to-end"},       {"\x1b[4~", "ed-move-to-end"}, {"\x1b[8~", "ed-move-to-end"},
        {"\x1b[3~", "ed-delete-next-char"},
    };
    for (const Binding& binding : bindings) {
        el_set(editor, EL_BIND, binding.key, binding.command, nullptr);
    }
}

}  // namespace

LineEditor::LineEditor(int terminalFd, std::function<int()> byteSource, std::function<void()> lineDone)
    : nextByte(std::move(byteSource)), afterLine(std::move(lineDone)) {
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
    // What the program wrote goes out before the wait. libedit counts columns from the start of
    // the line, where it draws the prompt again.
    std::cout.flush();
    std::fputc('\r', echo);
    std::fflush(echo);
    int count = 0;
    const char* typed = el_gets(editor, &count);
    afterLine();
    if (typed == nullptr || count <= 0) {
        line.clear();
        setg(line.data(), line.data(), line.data());
        return traits_type::eof();
    }
    line.assign(typed, static_cast<std::size_t>(count));
    const std::size_t end = line.find_last_not_of("\r\n");
    if (end != std::string::npos) {
        HistEvent event{};
        history(typedLines, &event, H_ENTER, line.substr(0, end + 1).c_str());
    }
    setg(line.data(), line.data(), line.data() + line.size());
    return traits_type::to_int_type(*gptr());
}

int LineEditor::readCharacter(EditLine* editor, wchar_t* character) {
    LineEditor* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    for (;;) {
        const int byte = self->nextByte();
        if (byte == endOfInput) {
            return 0;
        }
        if (byte == resized || byte == continued) {
            if (byte == resized) {
                el_resize(editor);
            }
            el_set(editor, EL_REFRESH);
            continue;
        }
        const char narrow = static_cast<char>(byte);
        const std::size_t used = std::mbrtowc(character, &narrow, 1, &self->decoding);
        if (used == static_cast<std::size_t>(-2)) {
            continue;
        }
        if (used == static_cast<std::size_t>(-1)) {
            // Not UTF-8: kept visible as a replacement character, so the value is refused
            // with a message rather than read wrongly.
            self->decoding = std::mbstate_t{};
            *character = L'\xfffd';
        }
        return 1;
    }
}

char* LineEditor::promptOf(EditLine* editor) {
    LineEditor* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return self->prompt.data();
}
