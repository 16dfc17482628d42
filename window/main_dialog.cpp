#include "window/main_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
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
#include "platform/file_status.h"
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
#include "window/rename_sequence.h"
#include "window/resource_ids.h"
#include "window/startup_error.h"
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
// More rename dialogs than this are asked about first.
constexpr int64_t kRenameOneByOneAskAbove = 20;

// The keys of the main window's commands; 0 for any other key.
int CommandOfKey(int key, int modifiers) {
    switch (modifiers) {
        case wxMOD_CONTROL:
            if (key == 'V') return ID_EDIT_PASTE;
            if (key == 'A') return ID_EDIT_SELECTALL;
            if (key == 'M') return ID_TOOL_SELECTMISMATCHES;
            return 0;
        case wxMOD_SHIFT:
            return key == WXK_F3 ? ID_TOOL_PREVMISMATCH : 0;
        case wxMOD_NONE:
            switch (key) {
                case WXK_DELETE:
                case WXK_NUMPAD_DELETE: return ID_EDIT_REMOVE;
                case WXK_RETURN:
                case WXK_NUMPAD_ENTER:
                case WXK_F2: return ID_TOOL_RENAMESELECTED;
                case WXK_F3: return ID_TOOL_NEXTMISMATCH;
                default: return 0;
            }
        default:
            return 0;
    }
}

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
    // A double click; Enter and F2 come as ID_TOOL_RENAMESELECTED (OnCharHook).
    EVT_LIST_ITEM_ACTIVATED(IDC_FILE_LIST, CMainDialog::RenameSelected)
    EVT_MENU(ID_ABOUT_BOX, CMainDialog::OnAboutBox)
    EVT_MENU(ID_HELP_INDEX, CMainDialog::OnHelpIndex)
    EVT_MENU(ID_TOOL_AUTORENAME, CMainDialog::OnToolAutoRename)
    // The keys the main window takes for itself, and the view's refresh.
    EVT_CHAR_HOOK(CMainDialog::OnCharHook)
    EVT_TIMER(kViewTimerId, CMainDialog::OnViewTimer)
    EVT_MENU(ID_FILE_ADDFILES, CMainDialog::OnFileAddFiles)
    EVT_MENU(ID_FILE_ADDFOLDER, CMainDialog::OnFileAddFolder)
    EVT_MENU(ID_EDIT_PASTE, CMainDialog::OnEditPaste)
    EVT_MENU(ID_EDIT_SELECTALL, CMainDialog::OnEditSelectAll)
    EVT_MENU(ID_EDIT_REMOVE, CMainDialog::OnEditRemove)
    EVT_MENU(ID_TOOL_UNDORENAME, CMainDialog::OnToolUndoRename)
    EVT_MENU(ID_TOOL_LOOKINSIDE, CMainDialog::OnToolLookInside)
    EVT_MENU(ID_TOOL_SELECTMISMATCHES, CMainDialog::OnToolSelectMismatches)
    EVT_MENU(ID_TOOL_NEXTMISMATCH, CMainDialog::OnToolNextMismatch)
    EVT_MENU(ID_TOOL_PREVMISMATCH, CMainDialog::OnToolNextMismatch)
    EVT_MENU(ID_TOOL_RENAMESELECTED, CMainDialog::OnToolRenameSelected)
    // Every command asks one handler whether it can run now.
    EVT_UPDATE_UI_RANGE(ID_FILE_NEWLIST, ID_TOOL_RENAMESELECTED, CMainDialog::OnUpdateCommand)
    EVT_UPDATE_UI(ID_TOOL_CHECK, CMainDialog::OnUpdateCommand)
    EVT_UPDATE_UI(ID_TOOL_AUTORENAME, CMainDialog::OnUpdateCommand)
    EVT_UPDATE_UI(ID_TOOL_UNDORENAME, CMainDialog::OnUpdateCommand)
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
        ShowFatalMessage(StartupErrorText(m_dataFileName, *defect));
        std::exit(1);
    }
    m_state.SetTable(std::move(table));
    StartFindingRunToUndo(m_state);

#ifdef __WXGTK__
    // GTK's own file drop parses every name on this thread; the raw list goes to a worker instead.
    SetDropTarget(new CUriDropTarget([this] { return m_state.Runs().IntakeAccepted(); },
                                     [this](std::string uris) { TakeInUriList(std::move(uris)); }));
#else
    // The toolkit's file drops: Explorer's names come whole on Windows.
    DragAcceptFiles(true);
    m_dropsShownAccepted = true;
#endif

    WindowProfile profile = FitToScreen(ReadProfile());
    if (!profile.sizeStored) {
        // A first start: the three columns and about 15 rows, not the profile's bare default.
        const wxSize size = FirstWindowSize(profile);
        profile.xSize = size.x;
        profile.ySize = size.y;
        profile = FitToScreen(profile);
    }
    m_fileList->InsertColumn(kColumnLocation, _("Location"), wxLIST_FORMAT_LEFT, profile.c00);
    m_fileList->InsertColumn(kColumnFileName, _("Filename"), wxLIST_FORMAT_LEFT, profile.c01);
    m_fileList->InsertColumn(kColumnExpectType, _("Expect type"), wxLIST_FORMAT_LEFT, profile.c02);
    SetWindowSize(profile.xSize, profile.ySize);
    m_state.SetLookInside(profile.lookInside != 0);
    GetMenuBar()->Check(ID_TOOL_LOOKINSIDE, m_state.LookInside());

    m_fileList->AssignImageList(CreateStatusImages(), wxIMAGE_LIST_SMALL);
    // The keys work at once, without a Tab first.
    m_fileList->RowsWindow()->SetFocus();
    m_viewTimer.Start(kViewIntervalMs);
    return true;
}

wxSize CMainDialog::FirstWindowSize(const WindowProfile& profile) {
    // The list's rows are as high as a line of the font or an icon, with the
    // generic control's spacing; the header a little more.
    const int lineHeight = std::max(GetCharHeight(), 16) + 6;
    const int header = GetCharHeight() + 12;
    const int scrollBar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
    const int listWidth = profile.c00 + profile.c01 + profile.c02 + scrollBar + 8;
    const int listHeight = header + 15 * lineHeight + scrollBar + 4;
    const wxSize client(listWidth, listHeight + m_statusLine->LineHeight() + 2);
    return ClientToWindowSize(client);
}

void CMainDialog::SetWindowSize(int width, int height) {
    SetSize(0, 0, width, height, wxSIZE_ALLOW_MINUS_ONE);
    Refresh();
}

void CMainDialog::LayoutControls() {
    if (!m_fileList || !m_statusLine) return;
    if (!IsShown()) return;
    const wxSize client = GetClientSize();
    const int statusHeight = m_statusLine->LineHeight();
    m_fileList->SetSize(0, 0, client.x, std::max(0, client.y - statusHeight - 2));
    m_statusLine->SetSize(0, client.y - statusHeight, client.x, statusHeight);
}

void CMainDialog::SynchroniseView() {
    if (!m_fileList->Synchronise()) return;
    m_statusLine->SetText(FromFileName(m_state.Rows().StatusText()));
    m_statusLine->SetCounts(FromProgramText(m_state.CountsText()));
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

void CMainDialog::TakeInPaths(std::vector<std::string> paths, bool checkWhenIn) {
    if (!m_state.Runs().IntakeAccepted() || paths.empty()) return;
    if (checkWhenIn) {
        m_pathsToCheck.assign(std::make_move_iterator(paths.begin()), std::make_move_iterator(paths.end()));
        m_checkWhenTakenIn = true;
        ContinueCheckWhenTakenIn();
    } else {
        StartDropIntake(m_state, std::move(paths));
    }
    SynchroniseView();
}

void CMainDialog::ContinueCheckWhenTakenIn() {
    const RunState& runs = m_state.Runs();
    if (!m_checkWhenTakenIn || !runs.IntakeAccepted() || !runs.ListChangesAllowed()) return;
    if (m_pathsToCheck.empty()) {
        m_checkWhenTakenIn = false;
        RequestCheckRun(m_state);
        return;
    }
    // Asked to check a folder, the user means the files in it, as Add Folder Contents takes them.
    const auto isFolder = [](const std::string& path) {
        const Result<FileStatus> status = GetFileStatus(path);
        return status && (status->attributes & kAttributeDirectory) != 0;
    };
    if (isFolder(m_pathsToCheck.front())) {
        std::string folder = std::move(m_pathsToCheck.front());
        m_pathsToCheck.pop_front();
        StartFolderIntake(m_state, std::move(folder));
        return;
    }
    std::vector<std::string> files;
    while (!m_pathsToCheck.empty() && !isFolder(m_pathsToCheck.front())) {
        files.push_back(std::move(m_pathsToCheck.front()));
        m_pathsToCheck.pop_front();
    }
    StartDropIntake(m_state, std::move(files));
}

void CMainDialog::OnFileExit(wxCommandEvent&) {
    // No question and no busy test: Exit works while any worker runs.
    wxCloseEvent close;
    OnSysCommand(close);
}

void CMainDialog::OnSysCommand(wxCloseEvent&) {
    // The rename dialogs run inside a call of this window: it goes once they have ended.
    if (m_renameSequence) {
        m_closeAfterRenaming = true;
        m_renameSequence->EndSequence();
        return;
    }
    Destroy();
}

void CMainDialog::OnSize(wxSizeEvent&) { LayoutControls(); }

void CMainDialog::OnFileNewList(wxCommandEvent&) {
    if (!m_state.Runs().ListChangesAllowed()) return;
    if (!AskYesNo(this, _("Delete all item OK?"), _("List Create"))) return;
    m_state.Rows().Clear();
    m_state.SetCountsText({});
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
    // ConfirmCheckStop knows when the run ended while the question was open.
    if (AskYesNo(this, _("Stop OK?"), _("Check Stop"))) ConfirmCheckStop(m_state);
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

void CMainDialog::RenameSelected(wxListEvent&) { RenameOneByOne(); }

void CMainDialog::OnToolRenameSelected(wxCommandEvent&) { RenameOneByOne(); }

void CMainDialog::RenameOneByOne() {
    if (!m_state.Runs().ListChangesAllowed() || m_renameSequence) return;
    FileList& list = m_state.Rows();
    // Only rows with a proposal get a dialog; the count costs one pass over
    // the selected rows' verdicts, no proposal is made for it.
    const int64_t candidates = list.SelectedWithProposalCount();
    if (candidates == 0) {
        if (list.SelectedCount() > 0) m_state.SetStatusText(NothingToRenameText());
        SynchroniseView();
        return;
    }
    if (candidates > kRenameOneByOneAskAbove) {
        switch (AskRenameOneByOne(candidates)) {
            case RenameChoice::OneByOne: break;
            case RenameChoice::AutoRename: StartAutoRenameOfSelection(); return;
            case RenameChoice::Cancel: return;
        }
    }
    if (!m_state.Runs().TryBeginRenaming()) return;
    struct EndRenaming {
        RunState& runs;
        ~EndRenaming() { runs.EndRenaming(); }
    } endRenaming{m_state.Runs()};
    RenameSequence sequence;
    m_renameSequence = &sequence;
    // The selection as it is now: clicks in the list meanwhile do not change what is asked.
    const SelectionRanges selection = list.Selection();
    RenameRun run(m_state.JournalPath(), RenameRunKind::Dialog);
    int64_t renamed = 0;
    int64_t notRenamed = 0;
    for (int32_t row = list.NextSelectedWithProposal(selection, 0); row >= 0;
         row = list.NextSelectedWithProposal(selection, row + 1)) {
        // The program is asked to end: no dialog for the rows left.
        if (CloseSignalReceived() || sequence.Ended()) break;
        const NameProposal proposal = ProposeName(m_state, row);
        CRenameDialog dialog(this, FromFileName(proposal.currentName), FromFileName(proposal.proposedName));
        const int answer = sequence.Show(dialog);
        if (answer == wxID_ABORT) break;
        if (answer != wxID_OK) continue;
        const std::string newName = FileNameBytes(dialog.AfterName());
        if (newName == proposal.currentName) continue;
        if (std::optional<RenameFailure> failure = RenameRow(m_state, row, proposal.currentName, newName, run)) {
            ++notRenamed;
            SynchroniseView();
            ShowNotice(this, FromFileName(RenameFailureReport({*failure})));
        } else {
            ++renamed;
        }
        SynchroniseView();
        // Told at the first rename it concerns, and once.
        if (std::optional<std::string> problem = run.TakeJournalProblem()) {
            ShowNotice(this, _("The file was renamed, but the rename was not journalled and cannot be undone:") +
                                 "\n" + FromFileName(*problem));
        }
    }
    m_renameSequence = nullptr;
    m_state.SetStatusText(RenamedText(renamed, notRenamed));
    RefreshCounts(m_state);
    if (renamed > 0) StartFindingRunToUndo(m_state);
    SynchroniseView();
    if (m_closeAfterRenaming) Destroy();
}

CMainDialog::RenameChoice CMainDialog::AskRenameOneByOne(int64_t files) {
    wxMessageDialog box(this,
                        wxString::Format(_("Rename %lld files one by one?\n\nAuto Rename gives every selected file "
                                           "its proposed name at once; Undo takes the run back."),
                                         static_cast<long long>(files)),
                        _("Rename File"), wxYES_NO | wxCANCEL | wxYES_DEFAULT | wxICON_NONE);
    box.SetYesNoCancelLabels(_("&One by One"), _("&Auto Rename"), _("Cancel"));
    switch (box.ShowModal()) {
        case wxID_YES: return RenameChoice::OneByOne;
        case wxID_NO: return RenameChoice::AutoRename;
        default: return RenameChoice::Cancel;
    }
}

void CMainDialog::OnAboutBox(wxCommandEvent&) {
    CAboutDialog dialog(this);
    dialog.ShowModal();
}

void CMainDialog::OnHelpIndex(wxCommandEvent&) { OpenHelpPage(); }

void CMainDialog::OnToolAutoRename(wxCommandEvent&) { StartAutoRenameOfSelection(); }

void CMainDialog::StartAutoRenameOfSelection() {
    if (!m_state.Runs().ListChangesAllowed()) return;
    if (m_state.Rows().SelectedCount() == 0) return;
    StartAutoRename(m_state, ReportOnWindow());
    SynchroniseView();
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
    // Escape changes nothing in the main window: it does not close it.
    if (event.GetKeyCode() == WXK_ESCAPE) return;
    const int command = CommandOfKey(event.GetKeyCode(), event.GetModifiers());
    if (command == 0) {
        event.Skip();
        return;
    }
    // A key does what its menu item does, and nothing while the item is greyed.
    if (!CommandEnabled(command)) return;
    wxCommandEvent commandEvent(wxEVT_MENU, command);
    commandEvent.SetEventObject(this);
    ProcessWindowEvent(commandEvent);
}

bool CMainDialog::CommandEnabled(int command) const {
    const RunState& runs = m_state.Runs();
    const FileList& rows = m_state.Rows();
    switch (command) {
        case ID_FILE_NEWLIST: return runs.ListChangesAllowed() && !m_renameSequence;
        case ID_FILE_ADDFILES:
        case ID_FILE_ADDFOLDER:
        case ID_EDIT_PASTE: return runs.IntakeAccepted();
        case ID_EDIT_SELECTALL:
        case ID_TOOL_SELECTMISMATCHES:
        case ID_TOOL_NEXTMISMATCH:
        case ID_TOOL_PREVMISMATCH: return rows.RowCount() > 0;
        case ID_EDIT_REMOVE:
        case ID_TOOL_AUTORENAME:
        case ID_TOOL_RENAMESELECTED: return runs.ListChangesAllowed() && !m_renameSequence && rows.SelectedCount() > 0;
        case ID_TOOL_CHECK: return !runs.CheckRefused();
        case ID_TOOL_UNDORENAME: return runs.ListChangesAllowed() && !m_renameSequence && m_state.GetUndoOffer();
        default: return true;
    }
}

void CMainDialog::OnUpdateCommand(wxUpdateUIEvent& event) {
    // Controls share the range of numbers; only the menus' commands are decided here.
    if (GetMenuBar()->FindItem(event.GetId()) == nullptr) {
        event.Skip();
        return;
    }
    event.Enable(CommandEnabled(event.GetId()));
    // Undo names the run it would take back.
    if (event.GetId() == ID_TOOL_UNDORENAME) event.SetText(wxString::FromUTF8(UndoCommandText(m_state.GetUndoOffer())));
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
    // Counts follow every change made while nothing runs (Undo, Delete, a
    // dialog rename); one pass over the rows, only when they changed.
    if (m_state.Runs().ListChangesAllowed() && m_state.Rows().Revision() != m_countedRevision) {
        RefreshCounts(m_state);
        m_countedRevision = m_state.Rows().Revision();
    }
    // Undo names the run it would take back; set as soon as that changes, so
    // the menu is measured with it before it opens.
    const wxString undoLabel = wxString::FromUTF8(UndoCommandText(m_state.GetUndoOffer()));
    if (undoLabel != m_undoLabel) {
        GetMenuBar()->SetLabel(ID_TOOL_UNDORENAME, undoLabel);
        m_undoLabel = undoLabel;
    }
    ContinueCheckWhenTakenIn();
    SynchroniseView();
    ShowUnreadableFolders();
    if (CloseSignalReceived()) CloseOnSignal();
}

void CMainDialog::ShowUnreadableFolders() {
    // Not over another dialog or menu, whose loop this timer runs in.
    if (m_renameSequence || m_contextMenuOpen || ModalDialogOpen()) return;
    std::vector<UnreadableFolder> folders = m_state.TakeUnreadableFolders();
    if (folders.empty()) return;
    wxString text;
    for (const UnreadableFolder& folder : folders) {
        text += FromFileName(folder.path) + "\n    " + FromProgramText(folder.reason) + "\n";
    }
    ShowTextReport(this, _("Add Folder Contents"),
                   wxString::Format(_("%zu folders could not be read:"), folders.size()), text);
}

void CMainDialog::CloseOnSignal() {
    if (wxTheApp->IsScheduledForDestruction(this)) return;
    if (m_renameSequence) {
        wxCloseEvent close;
        OnSysCommand(close);
        return;
    }
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
    wxFileDialog dialog(this, _("Add Files"), wxEmptyString, wxEmptyString, wxFileSelectorDefaultWildcardStr,
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
    wxDirDialog dialog(this, _("Add Folder Contents"), start, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
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
    std::vector<std::string> files = ClipboardFilePaths();
    if (!files.empty()) {
        TakeInPaths(std::move(files));
        return;
    }
#else
    std::string uris = ClipboardFileList();
    if (!uris.empty()) {
        TakeInUriList(std::move(uris));
        return;
    }
#endif
    // A list of paths copied as text, such as a terminal's or an editor's.
    TakeInPaths(AbsolutePathsInText(ClipboardPlainText()));
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
    if (!m_state.Runs().ListChangesAllowed() || m_renameSequence) return;
    // One pass over the rows, whatever the selection's size.
    if (m_state.Rows().RemoveSelected() == 0) return;
    m_fileList->ForgetSelection();
    m_state.SetStatusText(AllFileText(m_state.TotalFiles()));
    RefreshCounts(m_state);
    SynchroniseView();
}

void CMainDialog::OnToolSelectMismatches(wxCommandEvent&) {
    m_state.Rows().SelectStatus(STATUS_MISMATCH);
    const int32_t first = m_state.Rows().Selection().NextFrom(0);
    if (first >= 0) m_fileList->FocusRow(first, false);
    m_fileList->RowsWindow()->SetFocus();
    SynchroniseView();
}

void CMainDialog::OnToolNextMismatch(wxCommandEvent& event) {
    const bool forward = event.GetId() == ID_TOOL_NEXTMISMATCH;
    const int32_t row = m_state.Rows().FindStatus(m_fileList->FocusedRow(), forward, STATUS_MISMATCH);
    if (row < 0) return;
    m_fileList->FocusRow(row, true);
    m_fileList->RowsWindow()->SetFocus();
    SynchroniseView();
}
