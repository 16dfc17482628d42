#include "tasks/check_run.h"

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "filelist/status_texts.h"
#include "platform/file_reader.h"
#include "platform/file_status.h"
#include "signature/matcher.h"
#include "tasks/activity.h"

void CheckWorker() {
    for (;;) {
        if (g_currentItem + 1 >= g_totalFiles) break;
        ++g_currentItem;
        CheckItem();
        if (g_stopRequested.exchange(0) == 1) break;
    }
    SetStatusText(CheckSummaryText(g_totalFiles, g_checkedFiles));
    EndCheckRun();
}

void CheckItem() {
    FileList& list = TheFileList();
    if (!list.IsOpen()) return;
    g_acceptDrops = 0;
    const int32_t row = g_currentItem;
    const std::string path = list.PathOf(row);

    const std::optional<FileStatus> status = GetFileStatus(path);
    if (status) list.SetImage(row, status->attributes == kAttributeDirectory ? STATUS_FOLDER : STATUS_UNKNOWN);

    // Only regular files are opened: a pipe or a device would block or never end.
    if (status && status->isRegularFile) {
        LeadingBytesFile file(path);
        if (file.IsOpen()) {
            SetStatusText(CheckFileText(path));
            unsigned char leading[kLeadingBytes];
            const int count = file.Read(leading, kLeadingBytes);
            file.Close();
            if (count >= 0) {
                ++g_checkedFiles;
                MatchFileType(leading, count, path, row);
            }
        }
    }
    g_acceptDrops = 1;
}
