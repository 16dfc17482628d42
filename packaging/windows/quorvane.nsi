; Installer for Quorvane on 64-bit Windows: for the current user only, no
; administrator rights, a Start-menu shortcut, "Check with Quorvane" in
; Explorer's context menu of folders and files, a "Send to" shortcut and an
; uninstaller.
; makensis -DVERSION=1.10 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> quorvane.nsi

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "Quorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
; The user's own classes: Explorer merges them over the machine's.
!define FOLDER_VERB "Software\Classes\Directory\shell\Quorvane.Check"
!define FOLDER_BACKGROUND_VERB "Software\Classes\Directory\Background\shell\Quorvane.Check"
!define FILE_VERB "Software\Classes\*\shell\Quorvane.Check"

; A context-menu verb named "Check with Quorvane" that starts the window on the path in ARGUMENT.
!macro CheckVerb KEY ARGUMENT
  WriteRegStr HKCU "${KEY}" "MUIVerb" "Check with Quorvane"
  WriteRegStr HKCU "${KEY}" "Icon" "$INSTDIR\quorvane.exe"
  ; Explorer starts the command once per selected item (up to 100): the launches gather into one window.
  WriteRegStr HKCU "${KEY}" "MultiSelectModel" "Player"
  WriteRegStr HKCU "${KEY}\command" "" '"$INSTDIR\quorvane.exe" --check "${ARGUMENT}"'
!macroend

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorvane"
InstallDirRegKey HKCU "Software\Quorvane" "InstallDir"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" ""

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quorvane"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\quorvane.exe"
  File "${STAGE}\quorvane-check.exe"
  File "${STAGE}\Quorvane.dat"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\html"
  File "${STAGE}\html\index.htm"
  File "${STAGE}\html\index.ja.htm"
  File "${STAGE}\html\help.css"
  SetOutPath "$INSTDIR\locale\ja\LC_MESSAGES"
  File "${STAGE}\locale\ja\LC_MESSAGES\quorvane.mo"

  ; The shortcut starts the program in its own folder, where it finds the
  ; shipped table and help page.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Quorvane.lnk" "$INSTDIR\quorvane.exe" "" "$INSTDIR\quorvane.exe" 0
  ; Send to: every selected path on one command line, checked at once.
  CreateShortCut "$SENDTO\Quorvane.lnk" "$INSTDIR\quorvane.exe" "--check" "$INSTDIR\quorvane.exe" 0

  !insertmacro CheckVerb "${FOLDER_VERB}" "%1"
  !insertmacro CheckVerb "${FOLDER_BACKGROUND_VERB}" "%V"
  !insertmacro CheckVerb "${FILE_VERB}" "%1"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Quorvane" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: the user's profile and journal
; (in the application-data folders) and any file of theirs stay.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Quorvane.lnk"
  Delete "$SENDTO\Quorvane.lnk"
  DeleteRegKey HKCU "${FOLDER_VERB}"
  DeleteRegKey HKCU "${FOLDER_BACKGROUND_VERB}"
  DeleteRegKey HKCU "${FILE_VERB}"
  Delete "$INSTDIR\quorvane.exe"
  Delete "$INSTDIR\quorvane-check.exe"
  Delete "$INSTDIR\Quorvane.dat"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\html\index.htm"
  Delete "$INSTDIR\html\index.ja.htm"
  Delete "$INSTDIR\html\help.css"
  RMDir "$INSTDIR\html"
  Delete "$INSTDIR\locale\ja\LC_MESSAGES\quorvane.mo"
  RMDir "$INSTDIR\locale\ja\LC_MESSAGES"
  RMDir "$INSTDIR\locale\ja"
  RMDir "$INSTDIR\locale"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Quorvane"
SectionEnd
