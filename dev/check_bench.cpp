// Measures the check of many small files against floors measured in the same
// run on the same files: cold (page cache dropped, when run as root) and warm.
//
//   quorvane-bench [N] [--check PATH-TO-quorvane-check] [--tune]
//
// Floors: a parallel plain loop (16 threads: stat, open, read 64 bytes,
// close) for the cold figures, the same loop on one thread for the warm ones.
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
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "list/list_state.h"
#include "signature/loader.h"
#include "list/check_run.h"
#include "list/drop_intake.h"
#include "engine/path_run.h"

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

bool g_canDropCaches = false;

void DropCaches() {
    if (!g_canDropCaches) return;
    ::sync();
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
}

// The least a check must do for each file: status, open, read 64 bytes, close.
double FloorSeconds(const std::vector<std::string>& paths, int threads) {
    std::atomic<size_t> next{0};
    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            unsigned char buffer[64];
            for (size_t i; (i = next++) < paths.size();) {
                struct stat info {};
                if (::stat(paths[i].c_str(), &info) != 0) continue;
                const int fd = ::open(paths[i].c_str(), O_RDONLY);
                if (fd < 0) continue;
                if (::read(fd, buffer, sizeof buffer) < 0) std::perror("read");
                ::close(fd);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    return SecondsSince(start);
}

long RssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// The window's path: a drop into the model, then Tool > Check to the end.
double CheckThroughModel(ListState& state) {
    const auto start = Clock::now();
    if (RequestCheckRun(state) != CheckCommand::Started) std::exit(1);
    while (state.Runs().CheckRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return SecondsSince(start);
}

// From a confirmed stop half a second into a run until its worker has ended:
// the readers ahead must not hold it up.
double StopLatency(ListState& state) {
    if (RequestCheckRun(state) != CheckCommand::Started) std::exit(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto start = Clock::now();
    ConfirmCheckStop(state);
    while (state.Runs().CheckRunning()) std::this_thread::sleep_for(std::chrono::microseconds(200));
    return SecondsSince(start);
}

double CommandLineCheck(const std::string& program, const std::string& root) {
    const auto start = Clock::now();
    const std::string command = program + " --data Quorvane.dat -r " + root + " > /dev/null";
    if (std::system(command.c_str()) != 0) std::puts("quorvane-check failed");
    return SecondsSince(start);
}

void Report(const char* what, double seconds, double floor, double target) {
    const double ratio = seconds / floor;
    std::printf("  %-34s %7.3f s  %5.2fx floor  (target <= %.1fx)  %s\n", what, seconds, ratio, target,
                ratio <= target ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    int count = 100000;
    std::string checkProgram;
    bool tune = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0 && i + 1 < argc) {
            checkProgram = argv[++i];
        } else if (std::strcmp(argv[i], "--tune") == 0) {
            tune = true;
        } else {
            count = std::atoi(argv[i]);
        }
    }
    g_canDropCaches = ::geteuid() == 0 && ::access("/proc/sys/vm/drop_caches", W_OK) == 0;
    auto table = std::make_shared<FileIdTable>();
    if (std::optional<TableDefect> defect = TryLoadFileIdData(kDataFileName, kHeaderTemplate, *table)) {
        std::fprintf(stderr, "%s\n", defect->message.c_str());
        return 1;
    }
    ListState state(table);

    char pattern[] = "/tmp/quorvane-bench-XXXXXX";
    const std::string root = mkdtemp(pattern);
    std::printf("files                 %d in %s\n", count, root.c_str());
    auto start = Clock::now();
    const std::vector<std::string> paths = MakeTree(root, count);
    std::printf("tree built            %.2f s\n", SecondsSince(start));
    std::printf("read-ahead            %d readers, %d rows ahead\n", kDefaultReadAhead.threads, kDefaultReadAhead.depth);

    const long rssBefore = RssKb();
    start = Clock::now();
    DropWorker(state, paths);
    const double drop = SecondsSince(start);
    malloc_trim(0);
    std::printf("drop intake           %.3f s for %d paths; RSS +%.1f MB (target <= %.0f MB)\n", drop, count,
                (RssKb() - rssBefore) / 1024.0, 40.0 * count / 100000);

    if (g_canDropCaches) {
        std::puts("cold (page cache dropped before each figure)");
        DropCaches();
        const double floor = FloorSeconds(paths, 16);
        std::printf("  %-34s %7.3f s\n", "floor, 16 threads", floor);
        DropCaches();
        Report("check through the model", CheckThroughModel(state), floor, 1.5);
        if (!checkProgram.empty()) {
            DropCaches();
            Report("quorvane-check -r", CommandLineCheck(checkProgram, root), floor, 1.5);
        }
        DropCaches();
        const double stop = StopLatency(state);
        std::printf("  %-34s %7.3f s  (target <= 0.100 s)  %s\n", "stop confirmed mid-run, worker ended", stop,
                    stop <= 0.1 ? "ok" : "OVER");
        if (tune) {
            for (const ReadAheadSettings settings : {ReadAheadSettings{1, 1}, ReadAheadSettings{4, 32},
                                                     ReadAheadSettings{8, 64}, ReadAheadSettings{16, 128},
                                                     ReadAheadSettings{32, 256}, ReadAheadSettings{64, 512}}) {
                DropCaches();
                const auto run = Clock::now();
                RunPaths({root}, true, *state.Table(), true, [](const PathRunItem&) { return true; }, settings);
                std::printf("  engine %2d readers, depth %3d       %7.3f s\n", settings.threads, settings.depth,
                            SecondsSince(run));
            }
        }
    } else {
        std::puts("cold figures skipped: dropping the page cache needs root (/proc/sys/vm/drop_caches)");
    }

    std::puts("warm");
    FloorSeconds(paths, 1);
    const double floor = FloorSeconds(paths, 1);
    std::printf("  %-34s %7.3f s\n", "floor, 1 thread", floor);
    Report("check through the model", CheckThroughModel(state), floor, 1.5);
    if (!checkProgram.empty()) Report("quorvane-check -r", CommandLineCheck(checkProgram, root), floor, 1.5);
    std::printf("status line           %s\n", state.Rows().StatusText().c_str());
    std::printf("peak memory (VmHWM)   ");
    std::fflush(stdout);
    std::system(("grep VmHWM /proc/" + std::to_string(getpid()) + "/status | awk '{print $2/1024 \" MB\"}'").c_str());

    std::filesystem::remove_all(root);
    return 0;
}
