// Feeds the ID3 reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(Id3Member, data, size, {"mp3", "aac", "flac"});
    return 0;
}
