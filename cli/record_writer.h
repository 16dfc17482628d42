// Writing records in the form the command line asked for.
#pragma once

#include <cstdio>
#include <memory>

#include "cli/record.h"

class RecordWriter {
public:
    virtual ~RecordWriter() = default;
    virtual void Write(const Record& record) = 0;
};

// Fields separated by tabs, the record ended by `terminator` (a newline, or a
// NUL so that names holding newlines survive): verdict, path, then the
// expected type ("Type; ext", empty when the name fits), the new path and the
// reason, each where the record has one.
class TabRecordWriter : public RecordWriter {
public:
    TabRecordWriter(std::FILE* file, char terminator) : m_file(file), m_terminator(terminator) {}
    void Write(const Record& record) override;

private:
    std::FILE* m_file;
    char m_terminator;
};

// One JSON object per record, ended by `terminator`: "verdict", "path", then
// "type", "extension" and "proposed_name", "new_path" and "reason", each where
// the record has one. Names that are not UTF-8 carry their bytes in hex.
class JsonRecordWriter : public RecordWriter {
public:
    JsonRecordWriter(std::FILE* file, char terminator) : m_file(file), m_terminator(terminator) {}
    void Write(const Record& record) override;

private:
    std::FILE* m_file;
    char m_terminator;
};

std::unique_ptr<RecordWriter> MakeRecordWriter(bool json, char terminator, std::FILE* file);
