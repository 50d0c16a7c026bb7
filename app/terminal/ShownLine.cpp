#include "app/terminal/ShownLine.h"

#include <ostream>

namespace {

constexpr char escapeByte = '\x1b';

bool isFinalByte(char character) {
    return character >= 0x40 && character <= 0x7e;
}

}  // namespace

void ShownLine::follow(std::ostream& stream) {
    stream.rdbuf(new Tap(*this, stream.rdbuf()));
}

void ShownLine::endLine(const std::string& shown) {
    keepLine(shown);
    beginLine();
    lineBytes.clear();
    escape = Escape::None;
}

void ShownLine::beginLine() {
    ++begun;
    hasText = false;
}

void ShownLine::keepLine(const std::string& bytes) {
    above += bytes;
    above += '\n';
    if (above.size() > 2 * keptBytes) {
        const std::size_t lineEnd = above.rfind('\n', above.size() - keptBytes);
        if (lineEnd != std::string::npos) {
            above.erase(0, lineEnd + 1);
        }
    }
}

void ShownLine::take(char character) {
    lineBytes += character;
    switch (escape) {
    case Escape::Started:
        escape = character == '[' ? Escape::InSequence : Escape::None;
        return;
    case Escape::InSequence:
        if (isFinalByte(character)) {
            escape = Escape::None;
            // Attributes ('m') and erasing right of the cursor ('K') leave the text before it.
            if (character != 'm' && character != 'K') {
                beginLine();
            }
            // The screen was cleared: what stood on it is gone.
            if (character == 'J') {
                above.clear();
                lineBytes.clear();
            }
        }
        return;
    case Escape::None:
        break;
    }
    if (character == escapeByte) {
        escape = Escape::Started;
    } else if (character == '\n') {
        lineBytes.pop_back();
        keepLine(lineBytes);
        lineBytes.clear();
        beginLine();
    } else if (character == '\r') {
        beginLine();
    } else {
        hasText = true;
    }
}

ShownLine::Tap::int_type ShownLine::Tap::overflow(int_type character) {
    if (traits_type::eq_int_type(character, traits_type::eof())) {
        return traits_type::not_eof(character);
    }
    owner.take(traits_type::to_char_type(character));
    return target->sputc(traits_type::to_char_type(character));
}

std::streamsize ShownLine::Tap::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) {
        owner.take(text[i]);
    }
    return target->sputn(text, count);
}

int ShownLine::Tap::sync() {
    return target->pubsync();
}
