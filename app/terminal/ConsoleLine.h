// ConsoleLine: a typed line of the dialogs on the Windows console, read key by key and echoed
// here. The console's own line input takes no more characters than one read can return, so a
// long pasted value would be cut off there; read this way a line has no limit, as on Linux.
#pragma once

#include <optional>
#include <string>

namespace terminal::detail {

// The next line typed on the console `input` (a console handle), with the CR LF that ends it,
// echoed on the console's screen as it is typed: Backspace takes back the last character, Esc
// the whole line, Ctrl-C reaches the control handler as usual. Nothing when Ctrl-Z and Enter
// are typed at the start of a line, which is how the console ends its input, or when the
// console cannot be read.
std::optional<std::string> readConsoleLine(void* input);

}  // namespace terminal::detail
