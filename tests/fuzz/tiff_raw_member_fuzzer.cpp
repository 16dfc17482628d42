// Feeds TiffRawMember random files: it must stay within the second look's read budget,
// whatever the file claims, and name only members of its own family.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "signature/inside/readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
    const InsideMember member = TiffRawMember(file, LeadingBytes(data, std::min<size_t>(size, 64)));
    if (file.ReadsMade() > kInsideReadLimit || file.BytesAsked() > kInsideByteLimit) __builtin_trap();
    if (member) {
        constexpr std::string_view kMembers[] = {"dng", "nef", "arw", "pef", "srw", "3fr", "mos", "iiq", "dcr", "erf", "mef"};
        if (std::find(std::begin(kMembers), std::end(kMembers), *member) == std::end(kMembers)) __builtin_trap();
    }
    return 0;
}
