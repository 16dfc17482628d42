// The second look's view of a file the check holds open.
#pragma once

#include "platform/file_reader.h"
#include "signature/inside/byte_source.h"

// A read that fails is one the second look goes without: it only hears -1.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(LeadingBytesFile& file) : m_file(file), m_size(file.Size().ValueOr(-1)) {}
    int64_t Size() const override { return m_size; }

protected:
    int64_t ReadAt(int64_t offset, std::span<unsigned char> buffer) override {
        return m_file.ReadAt(offset, buffer.data(), static_cast<int64_t>(buffer.size())).ValueOr(-1);
    }

private:
    LeadingBytesFile& m_file;
    const int64_t m_size;
};
