// Feeds the ZIP reader any bytes as a whole file; every member it names has an extension.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ZipMember, data, size, {});
    return 0;
}
