// Feeds the ZIP reader any bytes as a whole file: it must stay within the
// budget, and never crash or read out of bounds, whatever the records claim.
#include <cstdint>
#include <string_view>

#include "signature/inside/readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
    const InsideMember member = ZipMember(file, LeadingBytes(data, size < 64 ? size : 64));
    if (file.ReadsMade() > kInsideReadLimit || file.BytesAsked() > kInsideByteLimit) __builtin_trap();
    if (member && member->empty()) __builtin_trap();  // every ZIP member has an extension
    return 0;
}
