// The terminal code both platforms share: the byte stream of keys and typed values, the queue
// of an arrow's two codes, the end of input, the computation flags and the attribute sequences.
#include <cstdlib>
#include <iostream>

#include "app/terminal/Terminal.h"
#include "app/terminal/TerminalPlatform.h"
#include "app/terminal/TextAttributes.h"

namespace terminal {
namespace detail {

std::istream* input = &std::cin;
InputBuffer* fdBuffer = nullptr;
bool typedLinePending = false;
std::atomic<bool> computing{false};
std::atomic<bool> cancelRequested{false};

namespace {

bool inputEndThrows = false;
int queuedCode = -1;
// The last typed line or the last key ended with a CR: an LF that comes next, however late,
// completes that line end and is no key.
bool lineFeedMayFollow = false;

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
        if (fdBuffer != nullptr && fdBuffer->waitForByte(escapeWaitMilliseconds) != InputBuffer::Wait::Data) {
            return nothingYet;
        }
        return toByte(keys()->sgetc());
    }

    // On a terminal the dialogs read through the line editor, which takes its bytes from
    // `fdBuffer` too; keys always come straight from there.
    static std::streambuf* keys() {
        return fdBuffer != nullptr ? static_cast<std::streambuf*>(fdBuffer) : input->rdbuf();
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
    if (!typedLinePending) {
        return;
    }
    typedLinePending = false;
    lineFeedMayFollow = false;
    if (dropTypedLineOnTerminal()) {
        return;
    }
    std::streambuf* buffer = input->rdbuf();
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
            lineFeedMayFollow = true;
            return;
        }
    }
}

KeyPress decodeNextKey() {
    StreamBytes bytes;
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
    queuedCode = -1;
}

}  // namespace detail

void startWithStreams(std::istream& in, bool outputIsTerminal) {
    detail::input = &in;
    detail::fdBuffer = nullptr;
    detail::inputEndThrows = true;
    detail::typedLinePending = false;
    detail::queuedCode = -1;
    detail::useStreams(outputIsTerminal);
}

void discardTypedLine() {
    detail::typedLinePending = true;
    detail::dropRestOfTypedLine();
    detail::typedLinePending = true;
}

void endOfInput() {
    std::cout.flush();
    if (detail::inputEndThrows) {
        throw InputEnded{};
    }
    detail::restore();
    std::exit(1);
}

void beginComputation() {
    detail::cancelRequested = false;
    detail::computing = true;
}

void endComputation() {
    detail::computing = false;
    detail::cancelRequested = false;
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
    return detail::cancelRequested.exchange(false);
}

}  // namespace terminal
