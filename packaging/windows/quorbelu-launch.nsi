; Starts QuorbelU in the user's own folder, %LOCALAPPDATA%\QuorbelU: the
; program keeps its keysets and QuorbelU.ini in the folder it is started from,
; and the program's own folder under Program Files is not the user's to write.
; The folder is made here, so that every user of the computer finds it at the
; first start, not only the one who installed the program.
Unicode true
Target amd64-unicode
Name "QuorbelU"
OutFile "${OUTFILE}"
RequestExecutionLevel user
SilentInstall silent
Icon "${ICON}"

Section
  SetShellVarContext current
  CreateDirectory "$LOCALAPPDATA\QuorbelU\keysets"
  IfFileExists "$LOCALAPPDATA\QuorbelU\keysets\*.*" made
  MessageBox MB_OK|MB_ICONSTOP "QuorbelU cannot make its folder $LOCALAPPDATA\QuorbelU\keysets."
  SetErrorLevel 2
  Quit
made:
  ; The folder the program is started in is the output folder.
  SetOutPath "$LOCALAPPDATA\QuorbelU"
  IfFileExists "$EXEDIR\quorbelu.exe" start
  MessageBox MB_OK|MB_ICONSTOP "QuorbelU cannot be started: $EXEDIR\quorbelu.exe is missing."
  SetErrorLevel 2
  Quit
start:
  ClearErrors
  Exec '"$EXEDIR\quorbelu.exe"'
  IfErrors 0 +3
  MessageBox MB_OK|MB_ICONSTOP "QuorbelU could not be started from $EXEDIR."
  SetErrorLevel 2
SectionEnd
