// Feeds the PE reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(PeMember, data, size, {"exe", "dll", "cpl", "sys", "efi"});
    return 0;
}
