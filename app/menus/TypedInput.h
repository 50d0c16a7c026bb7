// TypedInput: the reads of the dialogs, in one place. A value that cannot be read is never
// fatal and never loops: the error is shown, the rest of the typed line is dropped and the
// same prompt is asked again. End of input ends the program.
#pragma once

#include <cstdint>
#include <iostream>
#include <new>
#include <string>

#include "app/menus/ErrorDisplay.h"
#include "app/terminal/Terminal.h"
#include "elements/Elements.h"

inline constexpr const char* integerInputErrorText = "Eingabefehler (Ganzzahl)";

// Counts, beside the element types' own texts.
template <>
inline const char* inputErrorText<std::int32_t>() {
    return integerInputErrorText;
}
template <>
inline const char* inputErrorText<std::int64_t>() {
    return integerInputErrorText;
}

namespace typed_input_detail {

// Shows why a read failed and makes the stream usable again for the next try.
inline void recoverFrom(const char* text) {
    showThrownText(text);
    std::cin.clear();
    terminal::discardTypedLine();
}

}  // namespace typed_input_detail

// Writes the prompt and reads one value straight into `target`, asking again until a value
// could be read. The prompt is written before every try.
template <typename T>
void readTypedValue(T& target, const std::string& prompt) {
    for (;;) {
        std::cout << prompt;
        terminal::beginTypedInput(prompt);
        try {
            std::cin >> target;
        } catch (const char* text) {
            if (std::cin.eof()) {
                terminal::endOfInput();
            }
            typed_input_detail::recoverFrom(text);
            continue;
        } catch (const std::bad_alloc&) {
            // A number too large to hold: the rest of its line goes, and a smaller one may follow.
            typed_input_detail::recoverFrom(outOfMemoryText);
            continue;
        }
        if (!std::cin.fail()) {
            return;
        }
        if (std::cin.eof()) {
            terminal::endOfInput();
        }
        typed_input_detail::recoverFrom(inputErrorText<T>());
    }
}
