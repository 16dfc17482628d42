#include "cli/output.h"

#include <algorithm>
#include <cerrno>

#include "cli/diagnostics.h"
#include "cli/exit_status.h"
#include "platform/error_text.h"

bool Output::Failed() {
    // Asked right after each record, so errno still tells why the write failed.
    if (m_error == 0 && std::ferror(m_file)) m_error = errno != 0 ? errno : EIO;
    return m_error != 0;
}

int Output::Finish(int status) {
    if (std::fflush(m_file) != 0 && m_error == 0) m_error = errno != 0 ? errno : EIO;
    if (!Failed()) return status;
    PrintError("cannot write the output: " + ErrorText(m_error));
    return std::max(status, kExitWriteFailed);
}
