// Fuzz target: any bytes as the calculator's standard input. The run must end (the end of the
// bytes ends it), with status 0 or 1, with no uncaught exception and no sanitizer report.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/ProgramRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int status = program_run::runOn(std::string(reinterpret_cast<const char*>(data), size));
    if (status != 0 && status != 1) {
        std::abort();
    }
    return 0;
}
