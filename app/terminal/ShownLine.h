// ShownLine: the lines the program has written on the terminal since the screen was last
// cleared, as written, so that after a change of the window's size the screen can be drawn anew
// at the new width: whether a terminal wraps its old rows anew or cuts them, no row is then left
// twice or half. It also tells when a line began, so that the prompts handed to the line editor
// are known to share a line or not (values typed on one line answer several of them).
// It sits in front of the buffers of the streams that write to the terminal and passes every
// byte on unchanged. Attribute sequences take no room on the line; any other control sequence
// (the cleared screen) and every line end start the line afresh.
#pragma once

#include <cstddef>
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

    // Counts the lines begun: it changes whenever the cursor goes to the start of a line.
    std::size_t linesBegun() const { return begun; }
    // Whether anything the user can see stands on the current line.
    bool lineHasText() const { return hasText; }
    // The bytes of the whole lines written since the screen was cleared (the latest of them,
    // when there were very many), each ending with its line end.
    const std::string& linesAbove() const { return above; }
    // The line editor's Enter ended the line: it showed `shown`, and the cursor went on to the
    // start of a fresh line.
    void endLine(const std::string& shown);

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

    // More than a screen shows at any width it is drawn at again; older lines go.
    static constexpr std::size_t keptBytes = std::size_t{1} << 16;

    void take(char character);
    void keepLine(const std::string& bytes);

    enum class Escape { None, Started, InSequence };
    void beginLine();

    std::size_t begun = 0;
    bool hasText = false;
    std::string lineBytes;  // the current line as written, sequences included
    std::string above;
    Escape escape = Escape::None;
};
