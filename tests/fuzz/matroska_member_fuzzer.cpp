// Feeds the Matroska reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(MatroskaMember, data, size, {"webm", "mkv", "mka", "mks"});
    return 0;
}
