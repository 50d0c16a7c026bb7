// EditorBytes: the bytes the line editor reads on a terminal, from the buffer in front of
// standard input, with the wake-ups in between: a continue after a stop or a new window size
// ends the wait for the next byte with the line editor's code for it.
#pragma once

#include "app/terminal/InputBuffer.h"
#include "app/terminal/KeyDecoder.h"
#include "app/terminal/Wakeups.h"

class EditorBytes : public ByteSource {
public:
    EditorBytes(InputBuffer& buffer, Wakeups& wakeups) : buffer(buffer), wakeups(wakeups) {}

    int next() override;
    int peekSoon() override;

private:
    int taken(std::char_traits<char>::int_type byte) const;

    InputBuffer& buffer;
    Wakeups& wakeups;
};
