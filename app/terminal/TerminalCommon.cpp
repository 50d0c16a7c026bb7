// The terminal code both platforms share: the byte stream of keys and typed values, the queue
// of an arrow's two codes, the end of input, the computation flags and the attribute sequences.
#include <cstdlib>
#include <iostream>

#include "app/terminal/Terminal.h"
#include "app/terminal/TerminalPlatform.h"
#include "app/terminal/TextAttributes.h"

namespace terminal {
namespace detail {

namespace {

struct AttributeSequence {
    int attribute;
    const char* sequence;
};

constexpr AttributeSequence attributeSequences[] = {
    {normalAttribute, "\x1b[0m"},
    {highlightAttribute, "\x1b[0;30;47m"},
    {libraryErrorAttribute, "\x1b[0;91m"},
    {thrownErrorAttribute, "\x1b[0;30;101m"},
};

// Bytes for the key decoder from the buffer in front of standard input (or a test's stream).
class StreamBytes : public ByteSource {
public:
    int next() override {
        lastTaken = toByte(keys()->sbumpc());
        return lastTaken;
    }
    int peekSoon() override {
        InputBuffer* const fdBuffer = common().fdBuffer;
        if (fdBuffer != nullptr && fdBuffer->waitForByte(escapeWaitMilliseconds) != InputBuffer::Wait::Data) {
            return nothingYet;
        }
        return toByte(keys()->sgetc());
    }

    // On a terminal the dialogs read through the line editor, which takes its bytes from
    // `fdBuffer` too; keys always come straight from there.
    static std::streambuf* keys() {
        const CommonState& state = common();
        return state.fdBuffer != nullptr ? static_cast<std::streambuf*>(state.fdBuffer) : state.input->rdbuf();
    }

    int lastTaken = nothingYet;

private:
    static int toByte(std::char_traits<char>::int_type value) {
        return value == std::char_traits<char>::eof() ? endOfInput : static_cast<unsigned char>(value);
    }
};

}  // namespace

const char* attributeSequence(int value) {
    for (const AttributeSequence& entry : attributeSequences) {
        if (entry.attribute == value) {
            return entry.sequence;
        }
    }
    return attributeSequences[0].sequence;
}

void dropRestOfTypedLine() {
    CommonState& state = common();
    if (!state.typedLinePending) {
        return;
    }
    state.typedLinePending = false;
    state.lineFeedMayFollow = false;
    if (dropTypedLineOnTerminal()) {
        return;
    }
    std::streambuf* buffer = state.input->rdbuf();
    for (;;) {
        const auto byte = buffer->sbumpc();
        if (byte == std::char_traits<char>::eof()) {
            endOfInput();
        }
        if (byte == '\n') {
            return;
        }
        // A CR ends the line as well; an LF after it belongs to the same line end, whenever
        // it arrives (see decodeNextKey).
        if (byte == '\r') {
            state.lineFeedMayFollow = true;
            return;
        }
    }
}

KeyPress decodeNextKey() {
    StreamBytes bytes;
    bool& lineFeedMayFollow = common().lineFeedMayFollow;
    if (lineFeedMayFollow) {
        lineFeedMayFollow = false;
        if (StreamBytes::keys()->sgetc() == '\n') {
            bytes.next();
        }
    }
    const KeyPress key = decodeKey(bytes);
    if (key.endOfInput) {
        endOfInput();
    }
    // An Enter whose LF did not come with it: the LF, when it comes, is the same Enter.
    lineFeedMayFollow = bytes.lastTaken == '\r';
    return key;
}

int nextKeyCode(std::optional<KeyPress> (*readPress)()) {
    int& queuedCode = common().queuedCode;
    if (queuedCode >= 0) {
        const int code = queuedCode;
        queuedCode = -1;
        return code;
    }
    const std::optional<KeyPress> pressed = readPress();
    if (!pressed) {
        return keys::none;
    }
    if (pressed->hasPrefix) {
        queuedCode = pressed->code;
        return keys::arrowPrefix;
    }
    return pressed->code;
}

void forgetQueuedCode() {
    common().queuedCode = -1;
}

}  // namespace detail

void startWithStreams(std::istream& in, bool outputIsTerminal) {
    // The tests' own session, which no main owns.
    static Session streams;
    detail::useStreams(streams, outputIsTerminal);
    detail::CommonState& state = detail::common();
    state.input = &in;
    state.fdBuffer = nullptr;
    state.inputEndThrows = true;
    state.typedLinePending = false;
    state.queuedCode = -1;
}

void discardTypedLine() {
    detail::common().typedLinePending = true;
    detail::dropRestOfTypedLine();
    detail::common().typedLinePending = true;
}

void endOfInput() {
    std::cout.flush();
    if (detail::common().inputEndThrows) {
        throw InputEnded{};
    }
    detail::restore();
    std::exit(1);
}

void beginComputation() {
    detail::interrupts().cancelRequested = false;
    detail::interrupts().computing = true;
}

void endComputation() {
    detail::interrupts().computing = false;
    detail::interrupts().cancelRequested = false;
    detail::afterComputation();
}

// The rest of the line is erased behind the text, so a shorter text leaves nothing of a longer.
void showProgressLine(std::string_view text) {
    if (writesToTerminal()) {
        std::cout << '\r' << text << "\x1b[K" << std::flush;
    }
}

void clearProgressLine() {
    if (writesToTerminal()) {
        std::cout << "\r\x1b[2K" << std::flush;
    }
}

bool takeCancelRequest() {
    return detail::interrupts().cancelRequested.exchange(false);
}

}  // namespace terminal
