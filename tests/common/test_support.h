// Small helpers shared by the core tests: tables, waiting, and the shared test files.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "signature/file_id_table.h"
#include "signature/loader.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace testsupport {

using testfiles::Native;
using testfiles::PathOf;
using testfiles::ReadFile;
using testfiles::Utf8Of;
using testfiles::TempDir;
using testfiles::WriteFile;
using testfiles::kJpegBytes;
using testfiles::kPdfBytes;
using testfiles::kPngBytes;

// Reads a signature table from text into `table`; returns the defect message, if any.
inline std::optional<std::string> ReadTable(const std::string& text, FileIdTable& table) {
    std::FILE* file = testsystem::FileWithText(text);
    std::optional<TableDefect> defect = ReadFileIdData(file, kHeaderTemplate, table);
    std::fclose(file);
    if (defect) return defect->message;
    return std::nullopt;
}

// The table the last LoadTable read, for the test that loaded it.
inline std::shared_ptr<const FileIdTable>& LoadedTable() {
    static std::shared_ptr<const FileIdTable> table = std::make_shared<FileIdTable>();
    return table;
}

// Reads a signature table from text as the test's table; returns the defect message, if any.
inline std::optional<std::string> LoadTable(const std::string& text) {
    auto table = std::make_shared<FileIdTable>();
    std::optional<std::string> defect = ReadTable(text, *table);
    LoadedTable() = table;
    return defect;
}

inline const FileIdTable& Table() { return *LoadedTable(); }

inline const std::string kHeader = "< File ID Data - V001 2026/12/07 >\ntest table\n";

// A small table the task tests use.
inline void LoadSmallTable() {
    ASSERT_EQ(LoadTable(kHeader +
                        "0,89504E470D0A1A0A,0,,PNG image,png\n"
                        "0,FFD8FF,0,,JPEG image,jpg\n"
                        "0,FFD8FF,0,,JPEG image,jpeg\n"
                        "0,255044462D,0,,PDF document,pdf\n"),
              std::nullopt);
}


// Waits, at most a few seconds, until the condition holds.
inline bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace testsupport
