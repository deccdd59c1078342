; The QuorbelU installer: the program in Program Files\QuorbelU, a Start-menu
; entry for every user that starts it in the user's own folder, and an
; uninstaller that takes the program away but leaves the users' keysets.
;   makensis -DVERSION=0.1.0 -DICON=<icon> -DSTAGE=<folder of the files> -DOUTFILE=<installer>
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
Name "QuorbelU"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QuorbelU"
RequestExecutionLevel admin
ManifestDPIAware true
Icon "${ICON}"
UninstallIcon "${ICON}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuorbelU"
!define SHORTCUT "$SMPROGRAMS\QuorbelU.lnk"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}/quorbelu.exe"
  File "${STAGE}/quorbelu-launch.exe"
  SetOutPath "$INSTDIR\doc"
  File "${STAGE}/doc/*.html"
  File "${STAGE}/doc/*.png"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "QuorbelU"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brenlow Electronics"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorbelu.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; One entry for every user. It starts the launcher, which makes the user's
  ; folder and starts the program there; the shortcut's own working folder is
  ; the program's, which exists for every user.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\quorbelu-launch.exe" "" "$INSTDIR\quorbelu.exe" 0 \
    SW_SHOWNORMAL "" "Play the Quorbel surface's keys into the program in front, and edit what they do"

  ; The installing user's own folder is there before the first start.
  SetShellVarContext current
  CreateDirectory "$LOCALAPPDATA\QuorbelU\keysets"
SectionEnd

; What the installer put in place, and nothing else: the users' folders under
; %LOCALAPPDATA% keep their keysets and preferences, and whatever a user added
; to the program's folder keeps the folder.
Section "Uninstall"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The program's folder goes last: its going is the sign that all is done.
  Delete "$INSTDIR\quorbelu.exe"
  Delete "$INSTDIR\quorbelu-launch.exe"
  Delete "$INSTDIR\doc\*.html"
  Delete "$INSTDIR\doc\*.png"
  RMDir "$INSTDIR\doc"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
