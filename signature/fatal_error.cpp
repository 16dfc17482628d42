#include "signature/fatal_error.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
std::atomic<FatalErrorPresenter> g_presenter{nullptr};
}  // namespace

void SetFatalErrorPresenter(FatalErrorPresenter presenter) { g_presenter = presenter; }

void FatalError(const std::string& message) {
    if (FatalErrorPresenter presenter = g_presenter.load()) {
        presenter(message);
    } else {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    std::exit(1);
}
