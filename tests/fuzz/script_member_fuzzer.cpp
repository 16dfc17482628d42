// Feeds the script reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ScriptMember, data, size, {"sh", "py", "pl", "rb", "js", "php", "tcl", "lua", "awk", "ps1"});
    return 0;
}
