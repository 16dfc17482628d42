// Feeds the script reader arbitrary bytes as a whole file: it must stay within
// the read budget whatever the file claims and answer only a member of its
// family; the sanitizers watch the rest.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "signature/inside/readers.h"

namespace {

const std::array kMembers =
    std::to_array<std::string_view>({"sh", "py", "pl", "rb", "js", "php", "tcl", "lua", "awk", "ps1"});

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
    const LeadingBytes lead(data, std::min<size_t>(64, size));
    const InsideMember member = ScriptMember(file, lead);
    if (file.ReadsMade() > kInsideReadLimit || file.BytesAsked() > kInsideByteLimit) __builtin_trap();
    if (member && std::find(kMembers.begin(), kMembers.end(), *member) == kMembers.end()) __builtin_trap();
    return 0;
}
