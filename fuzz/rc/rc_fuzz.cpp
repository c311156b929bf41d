// Feeds arbitrary scripts to the resource compiler. The same bytes also stand for the
// files "a.bmp", "a.ico" and "a.h", so a script that names them reaches the image
// readers and the header path too. Any outcome but a clean result or a CompileError
// (a crash, a hang, a sanitizer report) is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "script_compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    rc::FileReader reader = [&input](const std::string& path) -> std::optional<std::string> {
        if (path == "main.rc" || path == "a.bmp" || path == "a.ico" || path == "a.h") return input;
        return std::nullopt;
    };
    try {
        rc::compile_script("main.rc", {}, reader);
    } catch (const rc::CompileError&) {
    }
    return 0;
}
