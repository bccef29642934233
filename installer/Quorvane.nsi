; The Quorvane installer. makensis -DBIN_DIR=<built binaries> -DSCENARIO=<demo.json>
;   -DVERSION=<x.y.z> -DOUTFILE=<installer.exe> Quorvane.nsi
; /S installs silently; the uninstaller's /S keeps the user's library state file.
Unicode true
; A 64-bit installer for the 64-bit program (native registry view and Program Files).
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!include LogicLib.nsh
!include x64.nsh

!define KEY "Software\Tarvex\Quorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
!define STARTUP_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
!define MAKER_URL "http://www.tarvex.com/"
!define EVENT_SOURCE_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Quorvane"

Name "Quorvane"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvex\Quorvane"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "CompanyName" "Tarvex"
VIAddVersionKey "ProductName" "Quorvane"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quorvane installer"
VIAddVersionKey "LegalCopyright" "Copyright (C) Tarvex"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The program is 64-bit: its registry and folders are the native ones.
Function .onInit
  SetRegView 64
FunctionEnd
Function un.onInit
  SetRegView 64
FunctionEnd

; Creates the start-up shortcut at <value of the start-up folder>\Quorvane.lnk, where the
; program itself looks for it; a folder that cannot be read gets none.
!macro StartupShortcut ROOT SUBKEY VALUE
  ReadRegStr $0 ${ROOT} "${SUBKEY}" "${VALUE}"
  ${If} $0 != ""
    CreateShortcut "$0\Quorvane.lnk" "$INSTDIR\Linsett.exe"
  ${EndIf}
!macroend
!macro RemoveStartupShortcut ROOT SUBKEY VALUE
  ReadRegStr $0 ${ROOT} "${SUBKEY}" "${VALUE}"
  ${If} $0 != ""
    Delete "$0\Quorvane.lnk"
  ${EndIf}
!macroend

Section "Quorvane"
  SetOutPath "$INSTDIR"
  ; An upgrade replaces the capture service's program: the running one stops and goes first.
  ${If} ${FileExists} "$INSTDIR\QuorvaneCapture.exe"
    nsExec::Exec '"$INSTDIR\QuorvaneCapture.exe" /uninstall'
    Pop $0
  ${EndIf}
  File "${BIN_DIR}\Quorvane.exe"
  File "${BIN_DIR}\QuorvaneCapture.exe"
  File "${BIN_DIR}\Linsett.dll"
  File "${BIN_DIR}\Linsett.exe"
  File "${BIN_DIR}\QuorvaneHelp.chm"
  SetOutPath "$INSTDIR\scenarios"
  File "${SCENARIO}"
  SetOutPath "$INSTDIR"

  ; What the installation leaves for the program is written on every install, so a value
  ; that anyone else put there does not outlive it. The user's own settings live under
  ; their HKCU key, which an installation never touches.
  WriteRegStr HKLM "${KEY}" "InstallPath" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "TarvexURL" "${MAKER_URL}"
  WriteRegStr HKLM "${KEY}" "GetUpdateURL" "${MAKER_URL}quorvane/update/"
  WriteRegStr HKLM "${KEY}" "ViewHelpURL" "QuorvaneHelp.chm"

  ; Only SYSTEM and administrators write the machine's key; users read it. An older
  ; installation let the Users group write it: that grant goes with this list.
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "D:P(A;OICI;KA;;;SY)(A;OICI;KA;;;BA)(A;OICI;KR;;;BU)", i 1, *p .r1, p 0) i .r0'
  ${If} $0 <> 0
    System::Call 'advapi32::RegOpenKeyExW(p 0x80000002, w "${KEY}", i 0, i 0x40100, *p .r2) i .r0'
    ${If} $0 = 0
      System::Call 'advapi32::RegSetKeySecurity(p r2, i 4, p r1) i .r0'
      System::Call 'advapi32::RegCloseKey(p r2)'
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}

  ; Start with Windows unless the user switched it off ("AutoLaunch" 0) before this upgrade:
  ; in their own key, or in the machine's where an older version kept it.
  ReadRegDWORD $1 HKCU "${KEY}" "AutoLaunch"
  ${If} $1 == ""
    ReadRegDWORD $1 HKLM "${KEY}" "AutoLaunch"
  ${EndIf}
  ${If} $1 != "0"
    !insertmacro StartupShortcut HKU ".DEFAULT\${STARTUP_KEY}" "Startup"
    !insertmacro StartupShortcut HKLM "${STARTUP_KEY}" "Common Startup"
  ${EndIf}

  ; The service that counts each USB device's traffic for the lights. It starts with Windows
  ; and stops again at once while USBPcap is not installed, so installing USBPcap later is
  ; enough; started here, it says at once whether it found it.
  nsExec::Exec '"$INSTDIR\QuorvaneCapture.exe" /install'
  Pop $0
  ${If} $0 == 0
    nsExec::Exec '"$SYSDIR\sc.exe" start QuorvaneCapture'
    Pop $0
  ${EndIf}

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quorvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tarvex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quorvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; The history's entries go to the Application event log under this source, worded by the
  ; program's message table (information, warning and error entries), for log collectors.
  WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile" "$INSTDIR\Quorvane.exe"
  WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "TypesSupported" 7

  ; The question is skipped (answered "No") in silent mode, so tests never start it. The
  ; installer runs elevated and the program must not: the desktop's shell starts it, with
  ; the user's own rights.
  MessageBox MB_YESNO|MB_ICONQUESTION "Quorvane is installed. Start it now?" /SD IDNO IDNO done
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Quorvane.exe"'
  done:
SectionEnd

Section "Uninstall"
  !insertmacro RemoveStartupShortcut HKU ".DEFAULT\${STARTUP_KEY}" "Startup"
  !insertmacro RemoveStartupShortcut HKLM "${STARTUP_KEY}" "Common Startup"
  nsExec::Exec '"$INSTDIR\QuorvaneCapture.exe" /uninstall'
  Pop $0
  Delete "$INSTDIR\QuorvaneCapture.exe"
  Delete "$INSTDIR\Quorvane.exe"
  Delete "$INSTDIR\Linsett.dll"
  Delete "$INSTDIR\Linsett.exe"
  Delete "$INSTDIR\QuorvaneHelp.chm"
  Delete "$INSTDIR\scenarios\demo.json"
  RMDir "$INSTDIR\scenarios"
  Delete "$INSTDIR\Uninstall.exe"
  SetOutPath "$TEMP"  ; a folder in use as the working directory cannot be removed
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  DeleteRegKey HKLM "${KEY}"
  DeleteRegKey /ifempty HKLM "Software\Tarvex"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${EVENT_SOURCE_KEY}"

  ; The library's state file holds the user's names, icons and order, the history file what
  ; happened to the devices, and their key their placements and switches; silent keeps them.
  SetShellVarContext current
  IfFileExists "$LOCALAPPDATA\Quorvane\linsett-state.json" 0 kept
    MessageBox MB_YESNO|MB_ICONQUESTION "Keep your device names, icons, order and history for a later installation?" /SD IDYES IDYES kept
    Delete "$LOCALAPPDATA\Quorvane\linsett-state.json"
    Delete "$LOCALAPPDATA\Quorvane\quorvane-history.txt"
    RMDir "$LOCALAPPDATA\Quorvane"
    DeleteRegKey HKCU "${KEY}"
    DeleteRegKey /ifempty HKCU "Software\Tarvex"
  kept:
SectionEnd
