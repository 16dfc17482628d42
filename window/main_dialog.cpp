#include "window/main_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/utils.h>
#include <wx/menu.h>

#include "list/check_run.h"
#include "list/drop_intake.h"
#include "list/folder_intake.h"
#include "list/list_state.h"
#include "list/row_renaming.h"
#include "list/status_texts.h"
#include "platform/close_signals.h"
#include "platform/data_location.h"
#include "platform/path_intake.h"
#include "signature/loader.h"
#include "window/about_dialog.h"
#include "window/clipboard_files.h"
#include "window/file_list_view.h"
#include "window/hand_over.h"
#include "window/help_page.h"
#include "window/menus.h"
#include "window/message_boxes.h"
#include "window/open_dialogs.h"
#include "window/profile.h"
#include "window/rename_dialog.h"
#include "window/rename_report_dialog.h"
#include "window/resource_ids.h"
#include "window/status_images.h"
#include "window/status_line.h"
#include "window/text_convert.h"
#ifdef __WXGTK__
#include "window/uri_drop_target.h"
#endif

namespace {

constexpr int kViewTimerId = wxID_HIGHEST + 1;
// About the display's rate: the view follows the workers' changes without a
// round trip per row.
constexpr int kViewIntervalMs = 33;

}  // namespace

wxBEGIN_EVENT_TABLE(CMainDialog, wxFrame)
    EVT_PAINT(CMainDialog::OnPaint)
    EVT_DROP_FILES(CMainDialog::OnDropFiles)
    EVT_MENU(ID_FILE_EXIT, CMainDialog::OnFileExit)
    // The close box, Alt+F4, the window menu's Close and a close request from
    // another program all arrive as one close event; GTK does not tell them apart.
    EVT_CLOSE(CMainDialog::OnSysCommand)
    EVT_SIZE(CMainDialog::OnSize)
    EVT_MENU(ID_FILE_NEWLIST, CMainDialog::OnFileNewList)
    EVT_WINDOW_DESTROY(CMainDialog::OnDestroy)
    EVT_MENU(ID_TOOL_CHECK, CMainDialog::OnToolCheck)
    // A right click anywhere in the list, on a row or not.
    wx__DECLARE_EVT1(wxEVT_CONTEXT_MENU, IDC_FILE_LIST, wxContextMenuEventHandler(CMainDialog::OnRclickFileList))
    // Double click only: Enter never gets this far (OnCharHook).
    EVT_LIST_ITEM_ACTIVATED(IDC_FILE_LIST, CMainDialog::RenameSelected)
    EVT_MENU(ID_ABOUT_BOX, CMainDialog::OnAboutBox)
    EVT_MENU(ID_HELP_INDEX, CMainDialog::OnHelpIndex)
    EVT_MENU(ID_TOOL_AUTORENAME, CMainDialog::OnToolAutoRename)
    // The keys the main window takes for itself, and the view's refresh.
    EVT_CHAR_HOOK(CMainDialog::OnCharHook)
    EVT_TIMER(kViewTimerId, CMainDialog::OnViewTimer)
    EVT_MENU(ID_FILE_ADDFILES, CMainDialog::OnFileAddFiles)
    EVT_MENU(ID_FILE_ADDFOLDER, CMainDialog::OnFileAddFolder)
    // Keys only (OnCharHook): no menu item issues these.
    EVT_MENU(ID_EDIT_PASTE, CMainDialog::OnEditPaste)
    EVT_MENU(ID_EDIT_SELECTALL, CMainDialog::OnEditSelectAll)
    EVT_MENU(ID_EDIT_REMOVE, CMainDialog::OnEditRemove)
    EVT_MENU(ID_TOOL_UNDORENAME, CMainDialog::OnToolUndoRename)
    EVT_MENU(ID_TOOL_LOOKINSIDE, CMainDialog::OnToolLookInside)
wxEND_EVENT_TABLE()

CMainDialog::CMainDialog()
    : m_viewTimer(this, kViewTimerId), m_handOver(std::make_shared<GuiHandOver>(this)) {
    Create(nullptr, IDD_MAIN_DIALOG, "Quorvane", wxPoint(0, 0), wxDefaultSize, wxDEFAULT_FRAME_STYLE);
    SetClientSize(ConvertDialogToPixels(wxSize(186, 156)));
    SetMenuBar(CreateMainMenuBar());
    m_fileList =
        new CFileListView(this, IDC_FILE_LIST, m_state, wxPoint(0, 0), ConvertDialogToPixels(wxSize(186, 142)));
    m_statusLine = new CStatusLine(this, IDC_STATUS_LINE);
    m_statusLine->SetSize(wxRect(ConvertDialogToPixels(wxPoint(0, 143)), ConvertDialogToPixels(wxSize(186, 13))));
}

CMainDialog::~CMainDialog() {
    // Here the list still exists, so the profile can take its column widths.
    SendDestroyEvent();
    // The views read the state, which goes with this object, before the base
    // class would destroy them.
    DestroyChildren();
}

bool CMainDialog::OnInitDialog() {
    SetIcons(AppIcons());

    m_layoutDone = 0;

    m_dataFileName = LocateDataFile(kDataFileName);
    m_headerTemplate = kHeaderTemplate;
    auto table = std::make_shared<FileIdTable>();
    if (std::optional<TableDefect> defect = TryLoadFileIdData(m_dataFileName, m_headerTemplate, *table)) {
        // Nothing can be checked without the table: its defect, then the end,
        // before the window was ever shown.
        ShowFatalMessage(defect->message);
        std::exit(1);
    }
    m_state.SetTable(std::move(table));

#ifdef __WXGTK__
    // GTK's own file drop parses every name on this thread; the raw list goes to a worker instead.
    SetDropTarget(new CUriDropTarget([this] { return m_state.Runs().IntakeAccepted(); },
                                     [this](std::string uris) { TakeInUriList(std::move(uris)); }));
#else
    // The toolkit's file drops: Explorer's names come whole on Windows.
    DragAcceptFiles(true);
    m_dropsShownAccepted = true;
#endif

    const WindowProfile profile = FitToScreen(ReadProfile());
    m_fileList->InsertColumn(kColumnLocation, "Location", wxLIST_FORMAT_LEFT, profile.c00);
    m_fileList->InsertColumn(kColumnFileName, "Filename", wxLIST_FORMAT_LEFT, profile.c01);
    m_fileList->InsertColumn(kColumnExpectType, "Expect type", wxLIST_FORMAT_LEFT, profile.c02);
    SetWindowSize(profile.xSize, profile.ySize);
    m_state.SetLookInside(profile.lookInside != 0);
    GetMenuBar()->Check(ID_TOOL_LOOKINSIDE, m_state.LookInside());

    m_fileList->AssignImageList(CreateStatusImages(), wxIMAGE_LIST_SMALL);
    m_viewTimer.Start(kViewIntervalMs);
    return true;
}

void CMainDialog::SetWindowSize(int width, int height) {
    SetSize(0, 0, width, height, wxSIZE_ALLOW_MINUS_ONE);
    Refresh();
}

void CMainDialog::LayoutControls() {
    if (!m_fileList || !m_statusLine) return;
    if (!IsShown()) return;
    const wxSize client = GetClientSize();
    m_fileList->SetSize(0, 0, client.x, std::max(0, client.y - 16));
    m_statusLine->SetSize(0, client.y - 14, client.x, 14);
}

void CMainDialog::SynchroniseView() {
    if (m_fileList->Synchronise()) m_statusLine->SetText(FromFileName(m_state.Rows().StatusText()));
}

void CMainDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    // A minimised window shows no client area on GTK, so there is no icon to draw into it.
    if (m_layoutDone == 0) {
        LayoutControls();
        m_layoutDone = 1;
    }
}

void CMainDialog::OnDropFiles(wxDropFilesEvent& event) {
    if (!m_state.Runs().IntakeAccepted() || event.m_noFiles <= 0 || event.m_files == nullptr) return;
    // The worker takes the event's own array over and converts the names
    // there: a million of them would hold the window for a second or more.
    // The event's members are public for this; it deletes nothing once they
    // are cleared.
    std::shared_ptr<wxString[]> files(event.m_files);
    const int count = event.m_noFiles;
    event.m_files = nullptr;
    event.m_noFiles = 0;
    StartDropIntake(m_state, [files, count] {
        std::vector<std::string> paths;
        paths.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) paths.push_back(FileNameBytes(files[i]));
        return paths;
    });
    SynchroniseView();
}

void CMainDialog::TakeInPaths(std::vector<std::string> paths) {
    if (!m_state.Runs().IntakeAccepted() || paths.empty()) return;
    StartDropIntake(m_state, std::move(paths));
    SynchroniseView();
}

void CMainDialog::OnFileExit(wxCommandEvent&) {
    // No question and no busy test: Exit works while any worker runs.
    Destroy();
}

void CMainDialog::OnSysCommand(wxCloseEvent&) {
    Destroy();
}

void CMainDialog::OnSize(wxSizeEvent&) { LayoutControls(); }

void CMainDialog::OnFileNewList(wxCommandEvent&) {
    if (!m_state.Runs().ListChangesAllowed()) return;
    if (!AskYesNo(this, "Delete all item OK?", "List Create")) return;
    m_state.Rows().Clear();
    m_state.SetStatusText(AllFileText(m_state.TotalFiles()));
    SynchroniseView();
}

void CMainDialog::OnDestroy(wxWindowDestroyEvent& event) {
    if (event.GetEventObject() != this || m_profileWritten) {
        event.Skip();
        return;
    }
    m_profileWritten = true;
    m_viewTimer.Stop();
    m_handOver->Detach();
    // A rename under way ends with its journal record before the window, and
    // with it the process, goes.
    m_state.StopWorkers();

    WindowProfile profile;
    const wxSize outer = GetSize();
    profile.xSize = outer.x;
    profile.ySize = outer.y;
    profile.c00 = m_fileList->GetColumnWidth(kColumnLocation);
    profile.c01 = m_fileList->GetColumnWidth(kColumnFileName);
    profile.c02 = m_fileList->GetColumnWidth(kColumnExpectType);
    profile.lookInside = m_state.LookInside() ? 1 : 0;
    WriteProfile(profile);
}

// Takes effect from the next check; a running one keeps the way it started with.
void CMainDialog::OnToolLookInside(wxCommandEvent& event) { m_state.SetLookInside(event.IsChecked()); }

void CMainDialog::OnToolCheck(wxCommandEvent&) {
    if (RequestCheckRun(m_state) != CheckCommand::AskToStop) return;
    if (AskYesNo(this, "Stop OK?", "Check Stop")) ConfirmCheckStop(m_state);
    SynchroniseView();
}

void CMainDialog::OnRclickFileList(wxContextMenuEvent&) {
    // At the pointer, not where the event says: a right click off the rows
    // counts too.
    std::unique_ptr<wxMenu> menu(CreateContextMenu());
    m_contextMenuOpen = true;
    PopupMenu(menu.get(), ScreenToClient(wxGetMousePosition()));
    m_contextMenuOpen = false;
}

void CMainDialog::RenameSelected(wxListEvent&) {
    if (!m_state.Runs().TryBeginRenaming()) return;
    struct EndRenaming {
        RunState& runs;
        ~EndRenaming() { runs.EndRenaming(); }
    } endRenaming{m_state.Runs()};
    m_fileList->CopySelectionToModel();
    FileList& list = m_state.Rows();
    RenameRun run;
    // The row count is read anew each time: a drop may add rows meanwhile.
    for (int32_t row = 0; row < list.RowCount(); ++row) {
        // The program is asked to end: no dialog for the rows left.
        if (CloseSignalReceived()) break;
        if (!list.IsSelected(row)) continue;
        const NameProposal proposal = ProposeName(m_state, row);
        CRenameDialog dialog(this, FromFileName(proposal.currentName), FromFileName(proposal.proposedName));
        if (dialog.ShowModal() != wxID_OK) continue;
        const std::string newName = FileNameBytes(dialog.AfterName());
        if (newName == proposal.currentName) continue;
        if (std::optional<RenameFailure> failure = RenameRow(m_state, row, proposal.currentName, newName, run)) {
            SynchroniseView();
            ShowNotice(this, FromFileName(RenameFailureReport({*failure})));
        }
        SynchroniseView();
        // Told at the first rename it concerns, and once.
        if (std::optional<std::string> problem = run.TakeJournalProblem()) {
            ShowNotice(this, FromFileName("The file was renamed, but the rename was not journalled and cannot be "
                                          "undone:\n" + *problem));
        }
    }
}

void CMainDialog::OnAboutBox(wxCommandEvent&) {
    CAboutDialog dialog(this);
    dialog.ShowModal();
}

void CMainDialog::OnHelpIndex(wxCommandEvent&) { OpenHelpPage(); }

void CMainDialog::OnToolAutoRename(wxCommandEvent&) {
    // Also keeps a second Auto Rename from changing the selection under a running one.
    if (!m_state.Runs().ListChangesAllowed()) return;
    m_fileList->CopySelectionToModel();
    StartAutoRename(m_state, ReportOnWindow());
}

void CMainDialog::OnToolUndoRename(wxCommandEvent&) {
    // Refused while anything runs, as Auto Rename is.
    if (!m_state.Runs().ListChangesAllowed()) return;
    StartUndoLastRun(m_state, ReportOnWindow());
}

RenameRunFinished CMainDialog::ReportOnWindow() {
    // Called on the worker: only the hand-over, which outlives the window and
    // drops what comes after it, may be touched there.
    return [this, handOver = m_handOver](RenameRunReport report) {
        if (report.failures.empty() && report.notice.empty()) return;
        handOver->Post([this, report = std::move(report)]() mutable { ShowAutoRenameFailures(std::move(report)); });
    };
}

void CMainDialog::ShowAutoRenameFailures(RenameRunReport report) {
    // A closed window lingers until the next idle time; the user has left it.
    if (wxTheApp->IsScheduledForDestruction(this)) return;
    SynchroniseView();
    if (!report.failures.empty()) {
        CRenameReportDialog dialog(this, std::move(report.failures));
        dialog.ShowModal();
    }
    if (!report.notice.empty()) ShowNotice(this, FromFileName(report.notice));
}

void CMainDialog::OnCharHook(wxKeyEvent& event) {
    // Enter and Escape change nothing in the main window: they neither close
    // it nor start a rename from the list.
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
        case WXK_ESCAPE:
            return;
        default:
            break;
    }
    int command = 0;
    const int modifiers = event.GetModifiers();
    if (modifiers == wxMOD_CONTROL && event.GetKeyCode() == 'V') command = ID_EDIT_PASTE;
    if (modifiers == wxMOD_CONTROL && event.GetKeyCode() == 'A') command = ID_EDIT_SELECTALL;
    if (modifiers == wxMOD_NONE && (event.GetKeyCode() == WXK_DELETE || event.GetKeyCode() == WXK_NUMPAD_DELETE)) {
        command = ID_EDIT_REMOVE;
    }
    if (command == 0) {
        event.Skip();
        return;
    }
    wxCommandEvent commandEvent(wxEVT_MENU, command);
    commandEvent.SetEventObject(this);
    ProcessWindowEvent(commandEvent);
}

void CMainDialog::OnViewTimer(wxTimerEvent&) {
#ifndef __WXGTK__
    // The drop cursor tells the truth: while drops are refused it shows no
    // accepting sign. The toolkit must see false between two trues.
    const bool accepted = m_state.Runs().IntakeAccepted();
    if (accepted != m_dropsShownAccepted) {
        DragAcceptFiles(accepted);
        m_dropsShownAccepted = accepted;
    }
#endif
    SynchroniseView();
    if (CloseSignalReceived()) CloseOnSignal();
}

void CMainDialog::CloseOnSignal() {
    if (wxTheApp->IsScheduledForDestruction(this)) return;
    // The menu's and the dialogs' own loops run beneath this call and still use
    // the window: the close waits for them to end.
    if (m_contextMenuOpen) return;
    if (ModalDialogOpen()) {
        CancelOpenDialogs();
        return;
    }
    Close();
}

void CMainDialog::OnFileAddFiles(wxCommandEvent&) {
    if (!m_state.Runs().IntakeAccepted()) return;
    wxFileDialog dialog(this, "Add Files", wxEmptyString, wxEmptyString, wxFileSelectorDefaultWildcardStr,
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    wxArrayString chosen;
    dialog.GetPaths(chosen);
    std::vector<std::string> paths;
    paths.reserve(chosen.size());
    for (const wxString& path : chosen) paths.push_back(FileNameBytes(path));
    TakeInPaths(std::move(paths));
}

void CMainDialog::OnFileAddFolder(wxCommandEvent&) {
    if (!m_state.Runs().IntakeAccepted()) return;
    // Opens where the last one was chosen, else at home: the toolkit's own
    // start, the recently used files, lists no folders.
    const wxString start = m_lastAddedFolder.empty() ? wxGetHomeDir() : FromFileName(m_lastAddedFolder);
    wxDirDialog dialog(this, "Add Folder Contents", start, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    const std::string folder = FileNameBytes(dialog.GetPath());
    if (!folder.empty()) m_lastAddedFolder = folder;
    // Auto Rename may have begun while the dialog was up.
    if (folder.empty() || !m_state.Runs().IntakeAccepted()) return;
    StartFolderIntake(m_state, folder);
    SynchroniseView();
}

void CMainDialog::OnEditPaste(wxCommandEvent&) {
    if (!m_state.Runs().IntakeAccepted()) return;
#ifdef __WXMSW__
    TakeInPaths(ClipboardFilePaths());
#else
    TakeInUriList(ClipboardFileList());
#endif
}

void CMainDialog::TakeInUriList(std::string uris) {
    if (!m_state.Runs().IntakeAccepted() || uris.empty()) return;
    StartDropIntake(m_state, [uris = std::move(uris)] { return PathsFromUriList(uris); });
    SynchroniseView();
}

void CMainDialog::OnEditSelectAll(wxCommandEvent&) {
    m_fileList->SelectAllRows();
}

void CMainDialog::OnEditRemove(wxCommandEvent&) {
    if (!m_state.Runs().ListChangesAllowed()) return;
    m_fileList->CopySelectionToModel();
    if (m_state.Rows().RemoveSelected() == 0) return;
    m_fileList->ForgetSelection();
    m_state.SetStatusText(AllFileText(m_state.TotalFiles()));
    SynchroniseView();
}
