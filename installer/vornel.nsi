; VORNEL installer (NSIS 3, Unicode). Made by scripts/release.sh:
;
;   makensis -INPUTCHARSET UTF8 /DVERSION=1.0.0 /DSTAGE=<folder> /DOUTFILE=<setup.exe> installer/vornel.nsi
;
; It installs the three programs (VORNEL.exe, zelvo_v3.exe, vornel-contour.exe)
; with the sample data and the guide.
;
; STAGE is the release folder as it is zipped; release.sh writes the lists
; STAGE/../install-files.nsh and STAGE/../uninstall-files.nsh from it, so the
; uninstaller removes exactly the files that were installed.
;
; The program writes its index files and the solver's files beside itself, so
; it is installed per user under the profile (no administrator rights), not
; under Program Files.

; 64-bit like the programs it installs (they need a 64-bit Windows anyway).
Target amd64-unicode
ManifestDPIAware true

!ifndef VERSION
  !error "VERSION is not defined: makensis /DVERSION=x.y.z"
!endif
!ifndef STAGE
  !error "STAGE (the folder of the files to install) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "VORNEL-${VERSION}-setup.exe"
!endif
!ifndef LISTS
  !define LISTS "${STAGE}/.."
!endif

!define PRODUCT "VORNEL"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VORNEL"
!define SETTINGS_KEY "Software\VORNEL"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\VORNEL"
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallDir"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "VORNEL"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "VORNEL ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "LegalCopyright" "VORNEL developers"

!include "MUI2.nsh"

!define MUI_ICON "${STAGE}/../vornel.ico"
!define MUI_UNICON "${STAGE}/../vornel.ico"
!define MUI_ABORTWARNING

!define MUI_DIRECTORYPAGE_TEXT_TOP "VORNEL はインストール先のフォルダーに索引ファイルと計算ファイル(zelvo-in.txt など)を書き込みます。書き込みのできるフォルダー(既定: ユーザーの AppData\Local\VORNEL)を選んでください。Program Files の下は使えません。"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "VORNEL を起動する"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVornel
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\docs\ガイド.pdf"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "ガイド(PDF)を開く"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

!include "LogicLib.nsh"

; The program builds its paths in buffers of 255 characters (folder, file name
; and a calculation title of up to 100 bytes), and it writes into its folder:
; refuse a folder that is too long or that cannot be written.
Function CheckInstallFolder
  StrLen $0 "$INSTDIR"
  ${If} $0 > 120
    MessageBox MB_ICONEXCLAMATION|MB_OK "インストール先のパスが長すぎます($0 文字)。120 文字以内のフォルダーを選んでください。"
    Abort
  ${EndIf}
  StrCpy $2 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $2 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $1 "$INSTDIR\vornel-write-check.tmp" w
  ${If} ${Errors}
    ${If} $2 == 1
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_ICONEXCLAMATION|MB_OK "フォルダー $INSTDIR に書き込めません。VORNEL はこのフォルダーにファイルを書くので、書き込みのできるフォルダー(例: $LOCALAPPDATA\VORNEL)を選んでください。"
    Abort
  ${EndIf}
  FileClose $1
  Delete "$INSTDIR\vornel-write-check.tmp"
FunctionEnd

; The program takes the current folder as its program folder.
Function StartVornel
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\VORNEL.exe"'
FunctionEnd

Section "VORNEL" SecMain
  SectionIn RO
  SetShellVarContext current

  ; Index caches of an earlier installation describe the data it had; the
  ; program writes them again at its first start.
  Delete "$INSTDIR\Db01\kowan.grd"
  Delete "$INSTDIR\Db01\otable5.grd"
  Delete "$INSTDIR\Db01\otable20.grd"
  Delete "$INSTDIR\Db01\M7000.grd"

  !include "${LISTS}/install-files.nsh"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Shortcuts take the current output folder as their working folder.
  CreateDirectory "$SMPROGRAMS\VORNEL"
  CreateShortcut "$SMPROGRAMS\VORNEL\VORNEL.lnk" "$INSTDIR\VORNEL.exe" "" "$INSTDIR\VORNEL.exe" 0
  CreateShortcut "$SMPROGRAMS\VORNEL\VORNEL ガイド.lnk" "$INSTDIR\docs\ガイド.pdf"
  CreateShortcut "$SMPROGRAMS\VORNEL\VORNEL のアンインストール.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "VORNEL ${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "VORNEL developers"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\VORNEL.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current

  ; What the program itself writes into its folder: index caches and the
  ; solver's input and outputs. CSV reports and other files of the user stay.
  Delete "$INSTDIR\Db01\kowan.grd"
  Delete "$INSTDIR\Db01\otable5.grd"
  Delete "$INSTDIR\Db01\otable20.grd"
  Delete "$INSTDIR\Db01\M7000.grd"
  Delete "$INSTDIR\zelvo-in.txt"
  Delete "$INSTDIR\zelvo-out_*.tmp"
  Delete "$INSTDIR\zelvo-out_*.txt"
  Delete "$INSTDIR\zelvo-out_*.crv"
  Delete "$INSTDIR\zelvo-batch-in.txt"
  Delete "$INSTDIR\zelvo-batch-out_*.txt"
  Delete "$INSTDIR\zelvo-batch-out_*.part"

  ; The installed files, then their folders when empty (deepest first).
  !include "${LISTS}/uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\VORNEL\VORNEL.lnk"
  Delete "$SMPROGRAMS\VORNEL\VORNEL ガイド.lnk"
  Delete "$SMPROGRAMS\VORNEL\VORNEL のアンインストール.lnk"
  RMDir "$SMPROGRAMS\VORNEL"

  DeleteRegKey HKCU "${UNINST_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
