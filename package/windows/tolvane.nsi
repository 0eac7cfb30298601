; The Windows setup: a per-user install without administrator rights, by default into
; %LOCALAPPDATA%\Programs\Tolvane, with a Start-menu shortcut and an entry under the user's
; installed programs. The user's comments live in tolv2_msg.db beside the program, so the
; folder must stay writable for the user, an upgrade never touches that file, and the
; uninstaller keeps it unless the user asks otherwise.
;
; makensis -DSTAGE=DIR -DFILES=NSH -DICON=ICO -DVERSION=V -DOUTFILE=EXE tolvane.nsi
;   STAGE    the folder to install (the zip's tolvane/)
;   FILES    an include that deletes exactly what STAGE holds, for the uninstaller
;   ICON     the program's icon; VERSION its version; OUTFILE the setup to write

Unicode true
; The 64-bit stub: the programs are 64-bit, and the 32-bit one needs a 32-bit Windows layer.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define NAME "Tolvane 2"
!define PUBLISHER "The Tolvane developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane"
!define DATA_FILE "tolv2_msg.db"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tolvane"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tolvane.exe"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckWritableFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.DataFilePage un.DataFilePageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${NAME} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; Comments are written beside the program: a folder the user cannot write to would make every
; save fail. Sets the error flag when $INSTDIR cannot be written.
!macro TestWritable
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\tolvane-setup.tmp" w
  ${IfNot} ${Errors}
    FileClose $0
    Delete "$INSTDIR\tolvane-setup.tmp"
  ${EndIf}
!macroend

Function CheckWritableFolder
  !insertmacro TestWritable
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Tolvane saves your comments in its own folder, and \
        $INSTDIR cannot be written by you. Please choose a folder of your own, such as the \
        one proposed."
    Abort
  ${EndIf}
FunctionEnd

Section "Tolvane"
  !insertmacro TestWritable
  ${If} ${Errors}
    SetErrorLevel 2
    Abort "$INSTDIR cannot be written"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  ; The first install puts the sample in place; an existing data file holds the user's
  ; comments (or is one the user put there) and is never touched.
  ${IfNot} ${FileExists} "$INSTDIR\${DATA_FILE}"
    CopyFiles /SILENT "$INSTDIR\tolv2_msg.sample.db" "$INSTDIR\${DATA_FILE}"
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\tolvane.exe" "" "$INSTDIR\tolvane.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tolvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Var DeleteDataFile
Var DeleteDataFileBox

Function un.DataFilePage
  !insertmacro MUI_HEADER_TEXT "Your comments" "Tolvane keeps your comments in ${DATA_FILE}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "The uninstaller leaves $INSTDIR\${DATA_FILE} where it is, \
      so that a later install finds your comments again."
  Pop $0
  ${NSD_CreateCheckbox} 0 44u 100% 12u \
      "&Also delete ${DATA_FILE}, which holds my own comments on the messages"
  Pop $DeleteDataFileBox
  nsDialogs::Show
FunctionEnd

Function un.DataFilePageLeave
  ${NSD_GetState} $DeleteDataFileBox $DeleteDataFile
FunctionEnd

Section "Uninstall"
  ; Exactly what the setup put here; nothing the user added.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; A silent uninstall never asks, and keeps the data file.
  ${If} $DeleteDataFile == ${BST_CHECKED}
    Delete "$INSTDIR\${DATA_FILE}"
  ${EndIf}
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
