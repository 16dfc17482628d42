#include "platform/append_file.h"

// Ownership of the handle is the same on every system; opening, writing and
// closing are each half's own.
AppendFile::~AppendFile() { Close(); }

AppendFile::AppendFile(AppendFile&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNoHandle; }

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = other.m_handle;
        other.m_handle = kNoHandle;
    }
    return *this;
}
