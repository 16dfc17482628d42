// Measures the check of many small files against the floor of doing the same
// file system work in a plain loop, the drop intake, and the model's memory.
//
//   quorvane-bench [N]        N files, 100000 by default
//
// Runs from the project root (it loads Quorvane.dat there) and works in a
// temporary folder it removes afterwards.

#include <malloc.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "signature/loader.h"
#include "tasks/check_run.h"
#include "tasks/drop_intake.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::vector<std::string> MakeTree(const std::string& root, int count) {
    static const std::string kSamples[] = {
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "%PDF-1.7\n", "\xFF\xD8\xFF\xE0\0\x10JFIF", "plain text file\n",
        std::string("PK\x03\x04\x14\0\0\0\x08\0", 10)};
    static const char* kNames[] = {".png", ".gif", ".jpg", ".txt", ".zip"};
    std::vector<std::string> paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::string folder = root + "/d" + std::to_string(i / 1000);
        if (i % 1000 == 0) std::filesystem::create_directories(folder);
        const std::string path = folder + "/file" + std::to_string(i) + kNames[(i / 5) % 5];
        std::ofstream(path, std::ios::binary) << kSamples[i % 5] << std::string(200, 'x');
        paths.push_back(path);
    }
    return paths;
}

// The least a check must do: status, open, read 64 bytes, close.
double FloorSeconds(const std::vector<std::string>& paths) {
    const auto start = Clock::now();
    unsigned char buffer[64];
    long total = 0;
    for (const std::string& path : paths) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) continue;
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0) continue;
        total += ::read(fd, buffer, sizeof buffer);
        ::close(fd);
    }
    if (total < 0) std::puts("");
    return SecondsSince(start);
}

// A display-less view: reads what a list would show, at display rate.
class PollingView {
public:
    void Start() {
        m_thread = std::thread([this] {
            uint64_t drawn = 0;
            while (!m_stop) {
                const uint64_t revision = TheFileList().Revision();
                if (revision != drawn) {
                    drawn = revision;
                    const int32_t rows = TheFileList().RowCount();
                    for (int32_t i = std::max(0, rows - 30); i < rows; ++i) TheFileList().RowAt(i);
                    TheFileList().StatusText();
                    ++m_repaints;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(16));
            }
        });
    }
    int Stop() {
        m_stop = true;
        m_thread.join();
        return m_repaints;
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_repaints = 0;
};

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and mmapped ones
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    LoadFileIdData(kDataFileName, kHeaderTemplate);
    TheFileList().Open();

    char pattern[] = "/tmp/quorvane-bench-XXXXXX";
    const std::string root = mkdtemp(pattern);
    std::printf("files                 %d in %s\n", count, root.c_str());
    auto start = Clock::now();
    const std::vector<std::string> paths = MakeTree(root, count);
    std::printf("tree built            %.2f s\n", SecondsSince(start));

    FloorSeconds(paths);  // warm the cache
    const double floor = FloorSeconds(paths);
    std::printf("floor (stat/open/read/close)  %.3f s\n", floor);

    PollingView view;
    view.Start();
    const size_t heapBefore = HeapInUse();
    start = Clock::now();
    DropWorker(paths);
    const double drop = SecondsSince(start);
    const size_t modelBytes = HeapInUse() - heapBefore;
    std::printf("drop intake           %.3f s\n", drop);
    std::printf("model memory          %.1f MB for %d rows (%.0f bytes a row)\n", modelBytes / 1e6, count,
                double(modelBytes) / count);

    start = Clock::now();
    if (RequestCheckRun() != CheckCommand::Started) return 1;
    while (TheRunState().CheckRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double check = SecondsSince(start);
    const int repaints = view.Stop();
    std::printf("check                 %.3f s (%d view refreshes)\n", check, repaints);
    std::printf("check / floor         %.2f\n", check / floor);
    std::printf("status line           %s\n", TheFileList().StatusText().c_str());
    std::printf("peak memory (VmHWM)   ");
    std::fflush(stdout);
    std::system(("grep VmHWM /proc/" + std::to_string(getpid()) + "/status | awk '{print $2/1024 \" MB\"}'").c_str());

    std::filesystem::remove_all(root);
    return 0;
}
