// The main window: the file list, the status line under it, the menus, and
// the handlers of every command. A frame rather than a dialog, because only a
// frame carries a menu bar; the program ends when it is destroyed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>

#include "list/list_state.h"

class wxListEvent;
class CFileListView;
class CStatusLine;
class GuiHandOver;
class RenameSequence;
struct RenameRunReport;
struct WindowProfile;

class CMainDialog : public wxFrame {
public:
    // Creates the window hidden; OnInitDialog prepares it before it is shown.
    CMainDialog();
    ~CMainDialog() override;

    // Loads the signature file (a defect is shown and ends the process here,
    // before the window was ever shown), takes drops, makes the columns and gives the
    // window its remembered size.
    bool OnInitDialog();

    // Places the window at the screen's top-left corner with this outer size.
    void SetWindowSize(int width, int height);
    // List over the client area but the status line's height at the bottom.
    void LayoutControls();
    // The outer size that shows the profile's three columns and about 15 rows.
    wxSize FirstWindowSize(const WindowProfile& profile);

    // Shows what changed in the model since the last time; the timer calls it.
    void SynchroniseView();

    // Adds a row per path as a drop of them does; ignored while drops are
    // refused. The command line and Add Files come in here; with
    // `checkWhenIn`, a folder brings the files below it, and Tool > Check
    // follows once the rows are in.
    void TakeInPaths(std::vector<std::string> paths, bool checkWhenIn = false);
    // The same for a list of file URIs ("text/uri-list" or GNOME's copied
    // files), as a drop or the clipboard gives it: parsed on the worker.
    void TakeInUriList(std::string uris);

    ListState& State() { return m_state; }
    CFileListView* FileListView() const { return m_fileList; }
    CStatusLine* StatusLine() const { return m_statusLine; }
    GuiHandOver& HandOver() const { return *m_handOver; }
    // Whether a command can run now: its menu item is greyed, its key does nothing otherwise.
    bool CommandEnabled(int command) const;
    // The rename dialogs of a double click, Enter or F2 are being shown.
    bool RenamingOneByOne() const { return m_renameSequence != nullptr; }

private:
    // One step of the command line's check: the next folder's files or run of
    // files once the list is free, and the check when all are in.
    void ContinueCheckWhenTakenIn();
    // The routing table's handlers, in its order.
    void OnPaint(wxPaintEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    void OnFileExit(wxCommandEvent& event);
    void OnSysCommand(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnFileNewList(wxCommandEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnToolCheck(wxCommandEvent& event);
    void OnToolLookInside(wxCommandEvent& event);
    void OnRclickFileList(wxContextMenuEvent& event);
    void RenameSelected(wxListEvent& event);
    void OnAboutBox(wxCommandEvent& event);
    void OnHelpIndex(wxCommandEvent& event);
    void OnToolAutoRename(wxCommandEvent& event);
    void OnToolUndoRename(wxCommandEvent& event);
    // The commands' keys (Enter, F2, F3, Ctrl+M, Ctrl+A, Ctrl+V, Delete) become
    // their commands; Escape changes nothing.
    void OnCharHook(wxKeyEvent& event);
    void OnViewTimer(wxTimerEvent& event);
    void OnFileAddFiles(wxCommandEvent& event);
    void OnFileAddFolder(wxCommandEvent& event);
    void OnEditPaste(wxCommandEvent& event);
    void OnEditSelectAll(wxCommandEvent& event);
    void OnEditRemove(wxCommandEvent& event);
    void OnToolSelectMismatches(wxCommandEvent& event);
    // Next and Previous Mismatch.
    void OnToolNextMismatch(wxCommandEvent& event);
    void OnToolRenameSelected(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);

    // One Rename File dialog per selected row with a proposal; with many, asks first.
    void RenameOneByOne();
    enum class RenameChoice { OneByOne, AutoRename, Cancel };
    RenameChoice AskRenameOneByOne(int64_t files);
    void StartAutoRenameOfSelection();

    // A run's failures in the report dialog, its notice in a message box.
    void ShowAutoRenameFailures(RenameRunReport report);
    // For a worker: hands its report to the window's thread, if there is anything to show.
    std::function<void(RenameRunReport)> ReportOnWindow();
    // The folders the last folder intake could not read, when several.
    void ShowUnreadableFolders();
    // A close request by signal: closes the window once nothing modal is open.
    void CloseOnSignal();

    // Before the views, which read it.
    ListState m_state;
    std::string m_dataFileName;
    std::string m_headerTemplate;
    std::string m_lastAddedFolder;  // where Add Folder Contents opens next
    int m_layoutDone = 0;
    bool m_profileWritten = false;
    bool m_contextMenuOpen = false;
    // Whether the window shows the drop cursor as accepting; it follows the run state.
    bool m_dropsShownAccepted = false;
    // Set while the rename dialogs are shown; a close request waits for them to end.
    RenameSequence* m_renameSequence = nullptr;
    bool m_closeAfterRenaming = false;
    // The command line asked for a check of its paths: those still to take
    // in, one folder's files or a run of files at a time, then the check.
    bool m_checkWhenTakenIn = false;
    std::deque<std::string> m_pathsToCheck;
    // The Undo item's label as last set.
    wxString m_undoLabel;
    uint64_t m_countedRevision = 0;  // the rows' revision the counts were taken at
    CFileListView* m_fileList = nullptr;
    CStatusLine* m_statusLine = nullptr;
    wxTimer m_viewTimer;
    std::shared_ptr<GuiHandOver> m_handOver;

    wxDECLARE_EVENT_TABLE();
};
