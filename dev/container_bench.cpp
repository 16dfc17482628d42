// Measures the check with the second look on containers of realistic size,
// cold, against a floor measured in the same run on the same files.
//
//   quorvane-container-bench [N] [--check PATH-TO-quorvane-check]
//
// N (10,000) containers from 20 KB to 2 MB, made from the real samples in
// tests/data/containers (docx, xlsx, odt, jar, zip, doc, xls, mkv): ZIP-based
// ones get a stored member of random bytes before their central directory,
// as a document with a picture has; the others get bytes after their end.
// Floor: 16 threads that open each file, read 64 bytes and a 16 KiB tail, and
// close it. Runs from the project root; needs root for the cold figures.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/path_probe.h"
#include "signature/inside/bytes.h"
#include "signature/inside/file_byte_source.h"
#include "signature/inside/readers.h"
#include "signature/loader.h"
#include "engine/path_run.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PutLe16(std::string& s, size_t at, uint16_t v) {
    s[at] = static_cast<char>(v);
    s[at + 1] = static_cast<char>(v >> 8);
}
void PutLe32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
std::string Le16Bytes(uint16_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Le32Bytes(uint32_t v) { return Le16Bytes(static_cast<uint16_t>(v)) + Le16Bytes(static_cast<uint16_t>(v >> 16)); }

// A ZIP sample with one more stored member of `padding` bytes between its
// members and its central directory; the sample itself when it has no plain
// end record (no comment, no ZIP64).
std::string WithStoredMember(const std::string& zip, const std::string& padding) {
    if (zip.size() < 22) return zip;
    const size_t end = zip.size() - 22;
    const auto* bytes = reinterpret_cast<const unsigned char*>(zip.data());
    if (Le32(bytes + end) != 0x06054b50) return zip;
    const uint32_t directorySize = Le32(bytes + end + 12);
    const uint32_t directoryOffset = Le32(bytes + end + 16);
    if (static_cast<size_t>(directoryOffset) + directorySize > end) return zip;
    const std::string name = "media/picture.bin";
    const std::string common = Le16Bytes(10) + Le16Bytes(0) + Le16Bytes(0) + Le16Bytes(0) + Le16Bytes(0) +
                               Le32Bytes(0) + Le32Bytes(static_cast<uint32_t>(padding.size())) +
                               Le32Bytes(static_cast<uint32_t>(padding.size())) +
                               Le16Bytes(static_cast<uint16_t>(name.size())) + Le16Bytes(0);
    const std::string local = "PK\x03\x04" + common + name;
    const std::string central = "PK\x01\x02" + Le16Bytes(20) + common + Le16Bytes(0) + Le16Bytes(0) + Le16Bytes(0) +
                                Le32Bytes(0) + Le32Bytes(directoryOffset) + name;
    std::string out = zip.substr(0, directoryOffset) + local + padding;
    const auto newDirectoryOffset = static_cast<uint32_t>(out.size());
    out += zip.substr(directoryOffset, directorySize) + central;
    std::string record = zip.substr(end);
    PutLe16(record, 8, static_cast<uint16_t>(Le16(bytes + end + 8) + 1));
    PutLe16(record, 10, static_cast<uint16_t>(Le16(bytes + end + 10) + 1));
    PutLe32(record, 12, directorySize + static_cast<uint32_t>(central.size()));
    PutLe32(record, 16, newDirectoryOffset);
    return out + record;
}

std::vector<std::string> MakeContainers(const std::string& root, int count) {
    const char* kKinds[] = {"docx", "xlsx", "odt", "jar", "zip", "doc", "xls", "mkv"};
    std::vector<std::vector<std::string>> samples(std::size(kKinds));
    for (const auto& entry : fs::directory_iterator("tests/data/containers/files")) {
        for (size_t k = 0; k < std::size(kKinds); ++k) {
            if (entry.path().extension() == std::string(".") + kKinds[k]) samples[k].push_back(ReadWhole(entry.path()));
        }
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<double> logSize(std::log(20e3), std::log(2e6));
    std::string noise(2'000'000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const size_t kind = static_cast<size_t>(i) % std::size(kKinds);
        if (samples[kind].empty()) continue;
        const std::string& sample = samples[kind][static_cast<size_t>(i / 8) % samples[kind].size()];
        const auto size = static_cast<size_t>(std::exp(logSize(random)));
        const std::string padding = noise.substr(random() % 1000, size > sample.size() ? size - sample.size() : 0);
        const bool zipBased = kind < 5;
        const std::string folder = root + "/d" + std::to_string(i / 500);
        if (i % 500 == 0) fs::create_directories(folder);
        const std::string path = folder + "/c" + std::to_string(i) + "." + kKinds[kind];
        std::ofstream(path, std::ios::binary) << (zipBased ? WithStoredMember(sample, padding) : sample + padding);
        paths.push_back(path);
    }
    return paths;
}

void DropCaches() {
    ::sync();
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
}

// The least a look at each file's start and end costs: open, 64 bytes, a 16 KiB tail, close.
double FloorSeconds(const std::vector<std::string>& paths, int threads) {
    std::atomic<size_t> next{0};
    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            static thread_local unsigned char buffer[16384];
            for (size_t i; (i = next++) < paths.size();) {
                const int fd = ::open(paths[i].c_str(), O_RDONLY);
                if (fd < 0) continue;
                struct stat info {};
                if (::read(fd, buffer, 64) < 0 || ::fstat(fd, &info) != 0) std::perror("read");
                const off_t tail = info.st_size > 16384 ? info.st_size - 16384 : 0;
                if (::pread(fd, buffer, sizeof buffer, tail) < 0) std::perror("pread");
                ::close(fd);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    return SecondsSince(start);
}

void Report(const char* what, double seconds, double floor, double target) {
    const double ratio = seconds / floor;
    std::printf("  %-34s %7.3f s  %5.2fx floor  (target <= %.1fx)  %s\n", what, seconds, ratio, target,
                ratio <= target ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    std::string checkProgram;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0 && i + 1 < argc) {
            checkProgram = argv[++i];
        } else {
            count = std::atoi(argv[i]);
        }
    }
    FileIdTable table;
    if (TryLoadFileIdData(kDataFileName, kHeaderTemplate, table)) return 1;
    char pattern[] = "/tmp/quorvane-container-bench-XXXXXX";
    const std::string root = mkdtemp(pattern);
    auto start = Clock::now();
    const std::vector<std::string> paths = MakeContainers(root, count);
    uintmax_t bytes = 0;
    for (const std::string& path : paths) bytes += fs::file_size(path);
    std::printf("containers            %zu in %s, %.0f MB, made in %.1f s\n", paths.size(), root.c_str(), bytes / 1e6,
                SecondsSince(start));

    // What the second look costs each file, beyond the leading bytes.
    int64_t reads = 0;
    int64_t asked = 0;
    int named = 0;
    for (const std::string& path : paths) {
        const PathProbe probe = ProbePath(path, [&](LeadingBytesFile& file, const PathProbe& leading) {
            FileByteSource source(file);
            InsideMember member = LookInside(source, LeadingBytes(leading.bytes, static_cast<size_t>(leading.count)));
            reads += source.ReadsMade();
            asked += source.BytesAsked();
            return member;
        });
        named += probe.member.has_value();
    }
    std::printf("second look           %.2f reads and %.1f KiB per file beyond the first 64 bytes; %d of %zu named\n",
                static_cast<double>(reads) / paths.size(), asked / 1024.0 / paths.size(), named, paths.size());

    if (::geteuid() == 0 && ::access("/proc/sys/vm/drop_caches", W_OK) == 0) {
        std::puts("cold (page cache dropped before each figure)");
        DropCaches();
        const double floor = FloorSeconds(paths, 16);
        std::printf("  %-34s %7.3f s\n", "floor, 16 threads, 64 B + 16 KiB tail", floor);
        DropCaches();
        start = Clock::now();
        RunPaths({root}, true, table, true, [](const PathRunItem&) { return true; });
        Report("check with the second look", SecondsSince(start), floor, 1.5);
        DropCaches();
        start = Clock::now();
        RunPaths({root}, true, table, false, [](const PathRunItem&) { return true; });
        std::printf("  %-34s %7.3f s\n", "check, first 64 bytes only", SecondsSince(start));
        if (!checkProgram.empty()) {
            DropCaches();
            start = Clock::now();
            const std::string command = checkProgram + " --data Quorvane.dat -r " + root + " > /dev/null";
            if (std::system(command.c_str()) != 0) std::puts("quorvane-check failed");
            Report("quorvane-check -r", SecondsSince(start), floor, 1.5);
        }
    } else {
        std::puts("cold figures skipped: dropping the page cache needs root (/proc/sys/vm/drop_caches)");
    }
    fs::remove_all(root);
    return 0;
}
