#include "platform/launch_gathering.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "platform/win32/wide_path.h"

namespace {

// A message: the byte count of the body (4 bytes, least significant first),
// then the body, each path ended by a NUL. The listener answers one byte.
constexpr uint32_t kLongestBody = 64u << 20;
constexpr char kReceived = 'Y';
// How long one side waits for the other in a transfer, and a launch for a busy listener.
constexpr DWORD kTransferMs = 3000;

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedHandle() {
        if (Valid()) CloseHandle(m_handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    bool Valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The launches of one user in one session meet here; a pipe's default
// access lets no other user's program write to it.
std::wstring PipeName(const char* channel) {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    wchar_t user[257] = L"";
    DWORD size = 257;
    if (!GetUserNameW(user, &size)) user[0] = L'\0';
    return L"\\\\.\\pipe\\Quorvane." + WidePath(channel).value_or(L"") + L"." + std::to_wstring(session) + L"." +
           user;
}

DWORD MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// Waits for an overlapped operation begun with `started`, at most `timeoutMs`;
// one that does not end in time is cancelled. True when it ended well.
bool Finish(HANDLE handle, OVERLAPPED& overlapped, BOOL started, DWORD timeoutMs, DWORD& count) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return false;
    if (!started && WaitForSingleObject(overlapped.hEvent, timeoutMs) != WAIT_OBJECT_0) {
        CancelIoEx(handle, &overlapped);
    }
    return GetOverlappedResult(handle, &overlapped, &count, TRUE) != 0;
}

// Reads or writes all of `size` bytes, each step within kTransferMs.
bool TransferAll(HANDLE pipe, HANDLE event, char* data, DWORD size, bool reading) {
    while (size > 0) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        ResetEvent(event);
        const BOOL started =
            reading ? ReadFile(pipe, data, size, nullptr, &overlapped) : WriteFile(pipe, data, size, nullptr, &overlapped);
        DWORD count = 0;
        if (!Finish(pipe, overlapped, started, kTransferMs, count) || count == 0) return false;
        data += count;
        size -= count;
    }
    return true;
}

std::string Message(const std::vector<std::string>& paths) {
    std::string body;
    for (const std::string& path : paths) body += path + '\0';
    const auto size = static_cast<uint32_t>(body.size());
    std::string message(4, '\0');
    for (int i = 0; i < 4; ++i) message[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return message + body;
}

// The paths one launch hands over, acknowledged; nothing for a broken message.
std::optional<std::vector<std::string>> Receive(HANDLE pipe, HANDLE event) {
    unsigned char header[4];
    if (!TransferAll(pipe, event, reinterpret_cast<char*>(header), 4, true)) return std::nullopt;
    const uint32_t size = header[0] | header[1] << 8 | header[2] << 16 | static_cast<uint32_t>(header[3]) << 24;
    if (size > kLongestBody) return std::nullopt;
    std::string body(size, '\0');
    if (!TransferAll(pipe, event, body.data(), size, true)) return std::nullopt;
    if (!body.empty() && body.back() != '\0') return std::nullopt;
    char received = kReceived;
    if (!TransferAll(pipe, event, &received, 1, false)) return std::nullopt;
    std::vector<std::string> paths;
    for (size_t start = 0; start < body.size();) {
        const size_t end = body.find('\0', start);
        paths.push_back(body.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

// Listens on `pipe` until no launch has come for the quiet time, and adds
// the paths handed over to `paths`.
std::vector<std::string> Listen(HANDLE pipe, std::vector<std::string> paths, const LaunchGathering& gathering) {
    const OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event.Valid()) return paths;
    const auto start = std::chrono::steady_clock::now();
    bool others = false;
    for (;;) {
        const DWORD elapsed = MillisecondsSince(start);
        const DWORD longest = static_cast<DWORD>(gathering.longestMs);
        const DWORD wait = std::min(static_cast<DWORD>(gathering.quietMs), elapsed < longest ? longest - elapsed : 0);
        if (wait == 0) break;
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.Get();
        ResetEvent(event.Get());
        const BOOL started = ConnectNamedPipe(pipe, &overlapped);
        const DWORD error = started ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_NO_DATA) {  // came and went already
            DisconnectNamedPipe(pipe);
            continue;
        }
        DWORD ignored = 0;
        const bool connected = error == ERROR_PIPE_CONNECTED || Finish(pipe, overlapped, started, wait, ignored);
        if (!connected) break;
        if (auto handed = Receive(pipe, event.Get())) {
            paths.insert(paths.end(), handed->begin(), handed->end());
            others = true;
        }
        DisconnectNamedPipe(pipe);
    }
    if (others) {
        std::sort(paths.begin(), paths.end());
        paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    }
    return paths;
}

// Hands the paths to the launch listening on `name`; false when none takes them.
bool HandOver(const std::wstring& name, const std::vector<std::string>& paths) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        // Identification only: a program squatting on the name cannot act as this user.
        const OwnedHandle pipe(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                           nullptr));
        const DWORD error = GetLastError();
        if (pipe.Valid()) {
            const OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
            std::string message = Message(paths);
            char received = 0;
            return event.Valid() &&
                   TransferAll(pipe.Get(), event.Get(), message.data(), static_cast<DWORD>(message.size()), false) &&
                   TransferAll(pipe.Get(), event.Get(), &received, 1, true) && received == kReceived;
        }
        // Busy with another launch: wait for it, within the transfer time.
        const DWORD elapsed = MillisecondsSince(start);
        if (error != ERROR_PIPE_BUSY || elapsed >= kTransferMs) return false;
        WaitNamedPipeW(name.c_str(), kTransferMs - elapsed);
    }
}

}  // namespace

std::optional<std::vector<std::string>> GatherLaunchPaths(std::vector<std::string> ownPaths,
                                                          const LaunchGathering& gathering) {
    const std::wstring name = PipeName(gathering.channel);
    // A listener that stops just as this launch comes leaves the place free: take it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                       4096, 65536, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            const OwnedHandle listening(pipe);
            return Listen(pipe, std::move(ownPaths), gathering);
        }
        if (HandOver(name, ownPaths)) return std::nullopt;
    }
    return ownPaths;
}
