// ShownLine: the text the program has written on the terminal's current line, so that the line
// editor can take it as its prompt and draw it again where it stands: several prompts of a
// dialog may share a line (values typed on one line answer them all), and such a line may wrap.
// It sits in front of the buffers of the streams that write to the terminal and passes every
// byte on unchanged. Attribute sequences take no room on the line and are left out; any other
// control sequence (the cleared screen) and every line end start the line afresh.
#pragma once

#include <iosfwd>
#include <streambuf>
#include <string>

class ShownLine {
public:
    ShownLine() = default;
    ShownLine(const ShownLine&) = delete;
    ShownLine& operator=(const ShownLine&) = delete;

    // Follows what `stream` writes from now on. The stream keeps using this object until the
    // end of the process, so it must never be destroyed while the stream lives.
    void follow(std::ostream& stream);

    const std::string& text() const { return line; }
    // The cursor went to the start of a fresh line by other means (the line editor's Enter).
    void startFresh();

private:
    class Tap : public std::streambuf {
    public:
        Tap(ShownLine& owner, std::streambuf* target) : owner(owner), target(target) {}

    protected:
        int_type overflow(int_type character) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;

    private:
        ShownLine& owner;
        std::streambuf* target;
    };

    void take(char character);

    enum class Escape { None, Started, InSequence };
    std::string line;
    Escape escape = Escape::None;
};
