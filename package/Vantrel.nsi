; The per-user installer of Vantrel, built by scripts/dist.sh with makensis, which defines:
;   VERSION   the version of the exe's version resource, as "1.2.3"
;   VERSION4  the same with four parts, as "1.2.3.0"
;   STAGE     the folder holding Vantrel.exe, ReadMe.txt and License.txt
;   ICON      the program's icon
;   OUTFILE   the installer to write
;
; It installs into the user's own programs folder without administrator rights: Vantrel
; writes its configuration beside its exe, so that folder must stay writable by the user.
;
; Silent use:
;   Vantrel-<version>-setup.exe /S [/D=<folder>]      install (/D must come last)
;   Uninstall.exe /S                                  uninstall, keeping Config.dat and
;                                                     Config2.dat
;   Uninstall.exe /S /REMOVECONFIG                    uninstall and remove them as well

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The hidden main window of a running Vantrel; WM_CLOSE makes it save and exit.
!define WINDOW_CLASS "TFormMain"
!define PUBLISHER "The Vantrel developers"
; How long a running Vantrel may take to save and exit.
!define CLOSE_WAIT_MS 10000

Name "Vantrel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vantrel ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Vantrel"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Vantrel ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 the Vantrel developers"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This installs Vantrel ${VERSION}, a launcher that lives in the \
    notification area, for you alone: no administrator rights are needed.$\r$\n$\r$\n\
    If Vantrel is running from the folder you choose, it is closed first; your shortcuts \
    are saved and kept."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/License.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Vantrel is installed. Start it from the Start menu; its icon \
    appears in the notification area."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vantrel now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_PAGE_HEADER_SUBTEXT "Choose whether your shortcuts go as well."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your shortcuts are kept in Config.dat and Config2.dat \
    in $INSTDIR. They stay there, ready for a new install, unless you tick the box."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST " "
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideSpaceRequired
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every Vantrel that runs from $INSTDIR to close, and waits until it has saved and ended.
; Another copy (a portable one elsewhere) is left running.
!macro CLOSE_RUNNING_VANTREL un
Function ${un}CloseRunningVantrel
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $0 0 ; the window after which the search goes on
    System::Call 'kernel32::GetLongPathNameW(w "$INSTDIR\Vantrel.exe", w .r4, i ${NSIS_MAX_STRLEN}) i'
    ${Do}
        FindWindow $1 "${WINDOW_CLASS}" "" 0 $0
        ${If} $1 = 0
            ${Break}
        ${EndIf}
        StrCpy $0 $1
        Call ${un}ProcessPathOfWindow ; $1 in, $2 out: the process's exe, $3 out: its handle
        ${If} $2 != ""
        ${AndIf} $2 == $4
            DetailPrint "Closing the running Vantrel"
            SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=${CLOSE_WAIT_MS}
            System::Call 'kernel32::WaitForSingleObject(p r3, i ${CLOSE_WAIT_MS}) i'
            ; Gone: the search starts over, since a destroyed window cannot be searched after.
            IsWindow $1 +2
            StrCpy $0 0
        ${EndIf}
        ${If} $3 P<> 0
            System::Call 'kernel32::CloseHandle(p r3)'
        ${EndIf}
    ${Loop}
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

; $1: a window. Sets $2 to the long path of its process's exe ("" when unknown) and $3 to a
; handle of the process that can be waited on (0 when none), which the caller closes.
Function ${un}ProcessPathOfWindow
    Push $5
    Push $6
    StrCpy $2 ""
    StrCpy $5 0
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r5) i'
    ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x00101000, i 0, i r5) p .r3'
    ${If} $3 P<> 0
        StrCpy $6 ${NSIS_MAX_STRLEN}
        System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r5, *i r6) i .r6'
        ${If} $6 <> 0
            System::Call 'kernel32::GetLongPathNameW(w r5, w .r2, i ${NSIS_MAX_STRLEN}) i'
        ${EndIf}
    ${EndIf}
    Pop $6
    Pop $5
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_VANTREL ""
!insertmacro CLOSE_RUNNING_VANTREL "un."

Section "Vantrel" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    Call CloseRunningVantrel
    File "${STAGE}/Vantrel.exe"
    File "${STAGE}/ReadMe.txt"
    File "${STAGE}/License.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ; The shortcut starts in $INSTDIR (the current output folder).
    CreateShortCut "$SMPROGRAMS\Vantrel.lnk" "$INSTDIR\Vantrel.exe" "" \
        "$INSTDIR\Vantrel.exe" 0 SW_SHOWNORMAL "" "Your shortcuts, one click on the tray icon away"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "-un.Program"
    Call un.CloseRunningVantrel
    ClearErrors
    Delete "$INSTDIR\Vantrel.exe"
    ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Vantrel.exe is still in use. Exit Vantrel (right-click its icon, Exit), then \
            press Retry." /SD IDCANCEL IDRETRY retry
        Abort "Vantrel.exe is still in use; nothing was removed."
    retry:
        Call un.CloseRunningVantrel
        ClearErrors
        Delete "$INSTDIR\Vantrel.exe"
        ${If} ${Errors}
            Abort "Vantrel.exe is still in use; nothing was removed."
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\ReadMe.txt"
    Delete "$INSTDIR\License.txt"
    Delete "$SMPROGRAMS\Vantrel.lnk"

    ; "Run at System Startup" of this copy would start a missing exe at every logon.
    ReadRegStr $0 HKCU "${RUN_KEY}" "Vantrel"
    ${If} $0 == '"$INSTDIR\Vantrel.exe"'
    ${OrIf} $0 == "$INSTDIR\Vantrel.exe"
        DeleteRegValue HKCU "${RUN_KEY}" "Vantrel"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Also remove my shortcuts (Config.dat and Config2.dat)" SecConfig
    ; With the files a save in progress left behind and the damaged files set aside.
    Delete "$INSTDIR\Config.dat"
    Delete "$INSTDIR\Config2.dat"
    Delete "$INSTDIR\Config.dat.*"
    Delete "$INSTDIR\Config2.dat.*"
SectionEnd

Section "-un.Folder"
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when empty: kept configuration files keep the folder.
    RMDir "$INSTDIR"
SectionEnd

; Removing needs no space: the page's "Space required" line would only puzzle.
!define IDC_SPACEREQUIRED 1023
Function un.HideSpaceRequired
    FindWindow $0 "#32770" "" $HWNDPARENT
    GetDlgItem $0 $0 ${IDC_SPACEREQUIRED}
    ShowWindow $0 ${SW_HIDE}
FunctionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVECONFIG" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecConfig}
    ${EndIf}
FunctionEnd
