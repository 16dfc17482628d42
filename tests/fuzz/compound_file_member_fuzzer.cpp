// Feeds the old Office container reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(CompoundFileMember, data, size,
               {"doc", "dot", "xls", "ppt", "msg", "vsd", "pub", "msi", "msp", "mst", "hwp"});
    return 0;
}
