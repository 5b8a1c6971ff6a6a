; The Windows installer, orvale-<version>-windows-x64-setup.exe (NSIS 3, Unicode, 64-bit).
; scripts/windows-package.sh runs makensis with VERSION, VERSION4 (four numbers), STAGE (the
; folder holding the files to install), ICON, SIZE_KB and OUTFILE defined.
;
; For all users: the programs under Program Files, the shortcut in every user's Start menu,
; the Explorer entry and the uninstall entry under HKLM; it asks for administrator rights.
; The uninstall removes exactly what this installs, file by file: the folder itself only once
; it is empty, so that nothing a user put there is lost.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvale"
!define FOLDER_ENTRY "Software\Classes\Directory\shell\Orvale"
!define DRIVE_ENTRY "Software\Classes\Drive\shell\Orvale"

Name "Orvale"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orvale"
BrandingText "Orvale ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1041 "ProductName" "Orvale"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "Orvale ${VERSION} setup"
VIAddVersionKey /LANG=1041 "CompanyName" "The Orvale developers"

!include LogicLib.nsh
!include MUI2.nsh
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; "%1" is the folder or drive Explorer was asked about. A drive's arrives as "C:\", whose
; backslash the system's splitter takes for an escape of the closing quote: Orvale.exe takes
; such a closing quote for the backslash it was.
!macro ExplorerEntry key
  WriteRegStr HKLM "${key}" "" "Orvale で開く"
  WriteRegStr HKLM "${key}" "Icon" "$INSTDIR\Orvale.exe,0"
  WriteRegStr HKLM "${key}\command" "" '"$INSTDIR\Orvale.exe" "%1"'
!macroend

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}\Orvale.exe"
  File "${STAGE}\orvale-tree.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Orvale.lnk" "$INSTDIR\Orvale.exe" "" "$INSTDIR\Orvale.exe" 0
  !insertmacro ExplorerEntry "${FOLDER_ENTRY}"
  !insertmacro ExplorerEntry "${DRIVE_ENTRY}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orvale"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Orvale developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvale.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section Uninstall
  Delete "$SMPROGRAMS\Orvale.lnk"
  DeleteRegKey HKLM "${FOLDER_ENTRY}"
  DeleteRegKey HKLM "${DRIVE_ENTRY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; A program still running cannot be deleted: it goes at the next restart, and the folder
  ; behind it, unless something else is in it by then.
  Delete /REBOOTOK "$INSTDIR\Orvale.exe"
  Delete /REBOOTOK "$INSTDIR\orvale-tree.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  ; The uninstaller runs from a copy of itself in a temporary folder, which it cannot delete:
  ; Windows deletes the copy at the next restart, and then, behind it, the folder.
  ${If} "$EXEDIR" != "$INSTDIR"
    RMDir /REBOOTOK "$EXEDIR"
  ${EndIf}
SectionEnd
