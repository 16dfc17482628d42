// Feeds the TIFF raw reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(TiffRawMember, data, size,
               {"dng", "nef", "arw", "pef", "srw", "3fr", "mos", "iiq", "dcr", "erf", "mef"});
    return 0;
}
