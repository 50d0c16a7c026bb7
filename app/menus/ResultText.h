// ResultText: the text of a result, made whole in memory before any of it is written. Its
// storage goes through the storage check as it grows, so a result too large to write out is
// refused (StorageRefused) before its first character reaches the screen: a result is shown
// whole or not at all.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

class ResultText : public std::ostream {
public:
    ResultText();
    // The text made so far, taken out of the stream.
    std::string take();

private:
    class CheckedBuffer : public std::streambuf {
    public:
        std::string text;

    private:
        int_type overflow(int_type character) override;
        std::streamsize xsputn(const char* characters, std::streamsize count) override;
        void makeRoomFor(std::size_t more);
    };
    CheckedBuffer buffer;
};
