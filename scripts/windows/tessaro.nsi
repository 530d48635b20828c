; The Windows installer of Tessaro, made by scripts/windows/installer.sh with
; makensis -DVERSION=… -DSTAGE=<folder to install> -DUNINSTALL_FILES=<list> -DICON=<.ico> -DOUTFILE=…
;
; Installs into Program Files, for every user of the machine, with an entry in
; the Start menu. The uninstaller removes the files it installed and nothing
; else: the data stay in each user's Documents\Tessaro.
; A 64-bit installer for a 64-bit program: it also runs under Debian's wine64,
; which starts no 32-bit program.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Tessaro ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tessaro"
InstallDirRegKey HKLM "Software\Tessaro" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessaro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia Tessaro"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "Tessaro richiede Windows a 64 bit."
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Section "Tessaro"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Tessaro"
    CreateShortcut "$SMPROGRAMS\Tessaro\Tessaro.lnk" "$INSTDIR\tessaro.exe" "" "" 0 SW_SHOWNORMAL "" \
        "Fatture per professionisti e piccoli commercianti"
    CreateShortcut "$SMPROGRAMS\Tessaro\Manuale di Tessaro.lnk" "$INSTDIR\manuale\index.html"
    CreateShortcut "$SMPROGRAMS\Tessaro\Disinstalla Tessaro.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "Software\Tessaro" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tessaro"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Progetto Tessaro"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaro.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\Tessaro\Tessaro.lnk"
    Delete "$SMPROGRAMS\Tessaro\Manuale di Tessaro.lnk"
    Delete "$SMPROGRAMS\Tessaro\Disinstalla Tessaro.lnk"
    RMDir "$SMPROGRAMS\Tessaro"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Tessaro"
SectionEnd
