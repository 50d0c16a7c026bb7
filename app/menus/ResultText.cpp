#include "app/menus/ResultText.h"

#include <algorithm>
#include <utility>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"

// The stream's failures are thrown, not kept in its state, so that a refusal of an element's
// text or of the buffer reaches the caller.
ResultText::ResultText() : std::ostream(nullptr) {
    rdbuf(&buffer);
    exceptions(std::ios::badbit);
}

std::string ResultText::take() {
    return std::move(buffer.text);
}

// The buffer grows by doubling, and while it moves the old and the new one are both held.
void ResultText::CheckedBuffer::makeRoomFor(std::size_t more) {
    const std::size_t needed = text.size() + more;
    if (needed <= text.capacity()) {
        return;
    }
    const std::size_t grown = std::max(needed, 2 * text.capacity());
    if (!StorageLimit::reserve(grown)) {
        throw StorageRefused();
    }
    text.reserve(grown);
}

ResultText::CheckedBuffer::int_type ResultText::CheckedBuffer::overflow(int_type character) {
    if (traits_type::eq_int_type(character, traits_type::eof())) {
        return traits_type::not_eof(character);
    }
    makeRoomFor(1);
    text.push_back(traits_type::to_char_type(character));
    return character;
}

std::streamsize ResultText::CheckedBuffer::xsputn(const char* characters, std::streamsize count) {
    makeRoomFor(static_cast<std::size_t>(count));
    text.append(characters, static_cast<std::size_t>(count));
    return count;
}
