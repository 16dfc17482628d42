// A file opened for the second look, read at any offset within a fixed
// budget: the second look never reads a whole file, whatever it claims.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

inline constexpr int kInsideReadLimit = 4;
inline constexpr int64_t kInsideByteLimit = 256 * 1024;

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The file's size in bytes, or -1 when it is not known.
    virtual int64_t Size() const = 0;

    // Up to `buffer.size()` bytes from `offset`: the count read (short at the
    // end of the file), or -1 on a read error or when the read would pass the
    // budget (kInsideReadLimit reads, kInsideByteLimit bytes in all). A read
    // past the end gives 0.
    int64_t Read(int64_t offset, std::span<unsigned char> buffer);

    int ReadsMade() const { return m_reads; }
    int64_t BytesAsked() const { return m_bytes; }

protected:
    virtual int64_t ReadAt(int64_t offset, std::span<unsigned char> buffer) = 0;

private:
    int m_reads = 0;
    int64_t m_bytes = 0;
};

// Bytes held in memory: tests, fuzzers, and samples built on the fly.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view data) : m_data(data) {}
    int64_t Size() const override { return static_cast<int64_t>(m_data.size()); }

protected:
    int64_t ReadAt(int64_t offset, std::span<unsigned char> buffer) override;

private:
    std::string_view m_data;
};
