; The per-user Windows installer, made by scripts/windows-build.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=4.20 -DSTAGE=<the zip's folder> -DSIZE_KB=<its size>
;            -DFILES=<a Delete line for each of its files> -DLICENCE=<licence page text>
;            -DICON=<icon> -DOUTFILE=<setup.exe> installer.nsi
; It needs no administrator: the program goes to the user's programs folder, the Start-menu
; shortcut and the uninstall entry to the user's own. The user's settings (the window position,
; HKCU\Software\VB and VBA Program Settings\Quillmark) are never touched, so an update keeps them
; and the uninstaller leaves them, as its page says.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh

!define PRODUCT "ロスタリ【六角穴付きボルト】"
!define PUBLISHER "Quillmark"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\rostari-bolt"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The per-user programs folder (FOLDERID_UserProgramFiles).
InstallDir "$LOCALAPPDATA\Programs\rostari-bolt"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) 1998-2026 Quillmark (MIT)"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "${PRODUCT} ${VERSION}（JIS B 1176 六角穴付ボルト M3～M52 の寸法参照）を、このユーザーにインストールします。管理者の権限は要りません。$\r$\n$\r$\n以前の版が入っているときは、そのファイルを置き換えます。ウィンドウの位置の設定はそのまま残ります。$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
; The licences are notices, not terms to accept: the page only shows them.
!define MUI_LICENSEPAGE_TEXT_TOP "このソフトウェアと、含まれるライブラリのライセンスです。"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "コードとデータは MIT、静的にリンクした Qt は LGPL-3.0、libmdb は LGPL-2.0-or-later のライセンスです。全文はインストール先の LICENSE.txt、THIRD-PARTY-NOTICES.txt と licenses フォルダーにもあります。"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Started as the shortcut starts it: in the folder that holds quilldat.mdb.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUCT} を起動する"
!define MUI_FINISHPAGE_RUN_FUNCTION StartViewer
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "${PRODUCT} のファイル、スタート メニューのショートカットとアンインストール情報を削除します。ウィンドウの位置の設定（レジストリの HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quillmark）は削除せずに残します。"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Function StartViewer
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\rostari-bolt.exe"'
FunctionEnd

Section "rostari-bolt"
  SetOutPath "$INSTDIR"
  ; An update replaces everything an earlier version put here.
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The working folder is the one the viewer reads quilldat.mdb from: the install folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\rostari-bolt.exe" "" "$INSTDIR\rostari-bolt.exe" 0 \
    SW_SHOWNORMAL "" "JIS B 1176 六角穴付ボルトの寸法参照"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\rostari-bolt.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.quillmark.example/"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DetailPrint "ウィンドウの位置の設定（HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quillmark）は残しました。"
SectionEnd
