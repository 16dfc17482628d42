// The second look's view of a file the check holds open.
#pragma once

#include <optional>

#include "platform/file_reader.h"
#include "signature/inside/byte_source.h"

// A read that fails is one the second look goes without: it only hears -1.
// The size is asked for only when a reader wants it: most files are no
// container, and on a network share each question is a round trip.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(LeadingBytesFile& file) : m_file(file) {}
    int64_t Size() const override {
        if (!m_size) m_size = m_file.Size().ValueOr(-1);
        return *m_size;
    }

protected:
    int64_t ReadAt(int64_t offset, std::span<unsigned char> buffer) override {
        return m_file.ReadAt(offset, buffer.data(), static_cast<int64_t>(buffer.size())).ValueOr(-1);
    }

private:
    LeadingBytesFile& m_file;
    mutable std::optional<int64_t> m_size;
};
