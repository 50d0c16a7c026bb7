#include "app/terminal/EditorBytes.h"

#include "app/terminal/LineEditor.h"
#include "app/terminal/TerminalPlatform.h"

int EditorBytes::taken(std::char_traits<char>::int_type byte) const {
    return byte == std::char_traits<char>::eof() ? endOfInput : static_cast<unsigned char>(byte);
}

int EditorBytes::next() {
    for (;;) {
        const InputBuffer::Wait result = buffer.waitForByte(-1, wakeups.pipe[0]);
        if (result == InputBuffer::Wait::Data) {
            return taken(buffer.sbumpc());
        }
        if (result == InputBuffer::Wait::Woken) {
            const bool resized = wakeups.windowResized != 0;
            wakeups.windowResized = 0;
            wakeups.continuedAfterStop = 0;
            return resized ? LineEditor::resized : LineEditor::continued;
        }
    }
}

int EditorBytes::peekSoon() {
    if (buffer.waitForByte(terminal::detail::escapeWaitMilliseconds) != InputBuffer::Wait::Data) {
        return nothingYet;
    }
    return taken(buffer.sgetc());
}
