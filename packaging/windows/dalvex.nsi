; The setup program of Dalvex for 64-bit Windows: the programs and the sample data into Program Files, a
; Start-menu shortcut, sketch files (.dlx) that show their icon and open in Dalvex on a double-click, and an
; entry in Windows' list of installed programs. /S installs silently, /D=FOLDER (last) installs elsewhere.
;   makensis -DVERSION=1.0 -DSTAGE=DIR -DSIZE_KB=N -DOUTFILE=dalvex-setup-1.0.exe dalvex.nsi
; STAGE is what `cmake --install` put into a folder: bin\dalvex.exe, bin\dalvex-cli.exe, share\dalvex\, and
; bin\web\, the web page and its module from the Linux build (the same files on every system).
Unicode true
Target amd64-unicode
ManifestSupportedOS Win10
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dalvex"
!define CLASSES "Software\Classes"
!define SKETCH_TYPE "Dalvex.Sketch"
; Explorer's notification that file types changed (SHCNE_ASSOCCHANGED).
!define NOTIFY_TYPES_CHANGED "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

Name "Dalvex"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Dalvex"
; A second install goes where the first went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "Dalvex ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1049 "ProductName" "Dalvex"
VIAddVersionKey /LANG=1049 "CompanyName" "Dalvex"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Dalvex"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© Dalvex"

!define MUI_ICON "dalvex.ico"
!define MUI_UNICON "dalvex.ico"
!define MUI_ABORTWARNING
; The first page names the publisher and the version being installed.
!define MUI_WELCOMEPAGE_TITLE "Установка Dalvex ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Издатель: Dalvex$\r$\nВерсия: ${VERSION}$\r$\n$\r$\nDalvex рассчитывает раздвижные двери шкафов-купе: материалы, раскрой, цену и отчёты заказа.$\r$\n$\r$\nНажмите «Далее», чтобы продолжить."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The last page offers a desktop shortcut and starting the program.
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\dalvex.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Dalvex"
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Создать ярлык на рабочем столе"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION CreateDesktopShortcut
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Section "Dalvex"
  ; The shortcut for every user of the machine, as the programs are.
  SetShellVarContext all
  SetOutPath "$INSTDIR\bin"
  File "${STAGE}/bin/dalvex.exe"
  File "${STAGE}/bin/dalvex-cli.exe"
  ; The web page and its module beside the programs, for dalvex-cli web; replaced as a whole.
  RMDir /r "$INSTDIR\bin\web"
  File /r "${STAGE}/bin/web"
  ; The sample data is replaced as a whole: an older version's files must not linger among the new ones. The
  ; dealer's own counter and shop text live in the user's folder and are not touched.
  RMDir /r "$INSTDIR\share\dalvex"
  SetOutPath "$INSTDIR\share\dalvex"
  File /r "${STAGE}/share/dalvex/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$INSTDIR\bin"
  CreateShortcut "$SMPROGRAMS\Dalvex.lnk" "$INSTDIR\bin\dalvex.exe" "" "$INSTDIR\bin\dalvex.exe" 0 \
    SW_SHOWNORMAL "" "Расчёт раздвижных дверей шкафов-купе"

  WriteRegStr HKLM "${CLASSES}\.dlx" "" "${SKETCH_TYPE}"
  WriteRegStr HKLM "${CLASSES}\${SKETCH_TYPE}" "" "Эскиз дверей Dalvex"
  ; The second icon of dalvex.exe (resource 2) is the sketch files'.
  WriteRegStr HKLM "${CLASSES}\${SKETCH_TYPE}\DefaultIcon" "" '"$INSTDIR\bin\dalvex.exe",-2'
  WriteRegStr HKLM "${CLASSES}\${SKETCH_TYPE}\shell\open\command" "" '"$INSTDIR\bin\dalvex.exe" "%1"'
  System::Call "${NOTIFY_TYPES_CHANGED}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Dalvex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Dalvex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\bin\dalvex.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Function CreateDesktopShortcut
  SetShellVarContext all
  SetOutPath "$INSTDIR\bin"
  CreateShortcut "$DESKTOP\Dalvex.lnk" "$INSTDIR\bin\dalvex.exe" "" "$INSTDIR\bin\dalvex.exe" 0 \
    SW_SHOWNORMAL "" "Расчёт раздвижных дверей шкафов-купе"
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Dalvex.lnk"
  Delete "$DESKTOP\Dalvex.lnk"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share\dalvex"
  RMDir "$INSTDIR\share"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; .dlx is left alone when another program has taken it since.
  ReadRegStr $0 HKLM "${CLASSES}\.dlx" ""
  ${If} $0 == "${SKETCH_TYPE}"
    DeleteRegKey HKLM "${CLASSES}\.dlx"
  ${EndIf}
  DeleteRegKey HKLM "${CLASSES}\${SKETCH_TYPE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call "${NOTIFY_TYPES_CHANGED}"
SectionEnd
