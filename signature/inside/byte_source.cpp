#include "signature/inside/byte_source.h"

#include <algorithm>
#include <cstring>

int64_t ByteSource::Read(int64_t offset, std::span<unsigned char> buffer) {
    if (offset < 0) return -1;
    const auto length = static_cast<int64_t>(buffer.size());
    if (m_reads >= kInsideReadLimit || length > kInsideByteLimit - m_bytes) return -1;
    ++m_reads;
    m_bytes += length;
    return ReadAt(offset, buffer);
}

int64_t MemoryByteSource::ReadAt(int64_t offset, std::span<unsigned char> buffer) {
    if (offset >= Size()) return 0;
    const size_t count = std::min(buffer.size(), static_cast<size_t>(Size() - offset));
    std::memcpy(buffer.data(), m_data.data() + offset, count);
    return static_cast<int64_t>(count);
}
