; The Windows installer of one build, made by scripts/package.sh:
;   makensis -DVERSION=2.02 -DARCH=x86|x64 -DBUILD=<build folder> -DREADME=<ReadMe.txt> -DOUTFILE=<installer> Trellisvault.nsi
; It installs for the current user or for all users, adds a Start menu shortcut and registers its
; uninstaller in Add/Remove Programs. The uninstaller removes the program and leaves the user's
; data folder and registry settings alone.

!ifndef VERSION | ARCH | BUILD | README | OUTFILE
  !error "package.sh gives VERSION, ARCH, BUILD, README and OUTFILE"
!endif

; the 64-bit installer is a 64-bit program, so it sees the 64-bit registry and Program Files
!if ${ARCH} == x64
  Target amd64-unicode
  !define NAME "Trellisvault (64-bit)"
  !define MULTIUSER_USE_PROGRAMFILES64
!else
  Target x86-unicode
  !define NAME "Trellisvault"
!endif
!define PROGRAM "${BUILD}/src/app/Trellisvault.exe"
!define RUNNER "${BUILD}/src/runner/tvbackup.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

; the installer's own version record repeats the program's
!getdllversion "${PROGRAM}" PROGRAM_VERSION_
VIProductVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "Trellisvault"
VIAddVersionKey /LANG=1033 "CompanyName" "Pennyroyal"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) Pennyroyal"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
; an uninstaller started without /AllUsers or /CurrentUser, and a second install, find the mode
; of the install before from its entry
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "../resources/Trellisvault.ico"
!define MUI_UNICON "../resources/Trellisvault.ico"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The uninstall entry lives where the install mode puts it: HKLM for all users, HKCU for one.
!macro WriteUninstallEntry ROOT
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "Publisher" "Pennyroyal"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Trellisvault.exe,0"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoRepair" 1
!macroend

Section "Trellisvault"
  SetOutPath "$INSTDIR"
  File "${PROGRAM}"
  File "${RUNNER}"
  File "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\Trellisvault.exe"
  ; in kilobytes, as Add/Remove Programs shows it
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} $MultiUser.InstallMode == "AllUsers"
    !insertmacro WriteUninstallEntry HKLM
  ${Else}
    !insertmacro WriteUninstallEntry HKCU
  ${EndIf}
SectionEnd

; Only what the installer put there: the user's data folder and settings stay.
Section "Uninstall"
  ; a running program cannot be deleted, and its entry must not go while it stays
  ClearErrors
  Delete "$INSTDIR\Trellisvault.exe"
  Delete "$INSTDIR\tvbackup.exe"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Close Trellisvault and tvbackup, then uninstall again." /SD IDOK
    Abort
  ${EndIf}
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ${If} $MultiUser.InstallMode == "AllUsers"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
