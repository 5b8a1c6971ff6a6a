#pragma once
// Every Japanese text the program shows, in one place. Written here in UTF-8;
// Cp932() gives the code page 932 bytes the program holds.
#include <string>
#include <string_view>

namespace texts {

// Status line
inline constexpr std::string_view kSelectDrive = "ディスクドライブを指定して下さい。";
inline constexpr std::string_view kScanning = "フォルダ検索中です。（ESC:中断）";
inline constexpr std::string_view kFolderCount = "%s フォルダ";
inline constexpr std::string_view kScanInterrupted = "フォルダ検索を中断しました。";
inline constexpr std::string_view kBuildingMemo = "メモ作成中です。";
inline constexpr std::string_view kMemoTruncated = "メモの上限を超えたため、途中までを作成しました。";
inline constexpr std::string_view kSavingText = "テキストファイルの保存中です。";
inline constexpr std::string_view kSavedText = "テキストファイルを保存しました。";
inline constexpr std::string_view kSaveTextFailed = "テキストファイルが保存出来ませんでした。";
inline constexpr std::string_view kSavingHtml = "HTMLファイルの保存中です。";
inline constexpr std::string_view kSavedHtml = "HTMLファイルを保存しました。";
inline constexpr std::string_view kSaveHtmlFailed = "HTMLファイルが保存出来ませんでした。";
inline constexpr std::string_view kOptionsFromNextScan = "変更した表示の設定は、次のフォルダ検索から使われます。";

// Messages
inline constexpr std::string_view kDriveNotReady = "ディスクドライブの準備が出来ていません。";
inline constexpr std::string_view kConfirmReplaceMemo = "現在のメモ内容が削除されます。よろしいですか？";
inline constexpr std::string_view kNoDriveSelected = "ディスクドライブが選択されていません。";
inline constexpr std::string_view kNoMemo = "メモ内容がありません。";
inline constexpr std::string_view kConfirmOverwrite = "ファイル %s は既に存在します。上書きしますか？";
inline constexpr std::string_view kCannotOpenFolder = "フォルダ %s を開けません。";
inline constexpr std::string_view kBadDepth = "階層の深さは 1 以上の数で指定して下さい。空欄なら制限しません。";

// Failures
inline constexpr std::string_view kInvalidIndex = "不正なインデックス";
inline constexpr std::string_view kCannotInsertItem = "アイテムの挿入ができません";
inline constexpr std::string_view kCannotCreateFile = "ファイル %s を作成できません";
inline constexpr std::string_view kStreamWriteError = "ストリームへの書き込みエラー";

// Window
inline constexpr std::string_view kAppTitle = "Orvale";
inline constexpr std::string_view kMenuFile = "ファイル(&F)";
inline constexpr std::string_view kMenuOpenFolder = "フォルダを開く(&O)...";
inline constexpr std::string_view kMenuSave = "名前を付けて保存 (&S)...";
inline constexpr std::string_view kMenuExit = "終了　(&X)";
inline constexpr std::string_view kMenuEdit = "編集(&E)";
inline constexpr std::string_view kMenuCut = "切り取り (&T)";
inline constexpr std::string_view kMenuCopy = "コピー (&C)";
inline constexpr std::string_view kMenuPaste = "貼り付け (&P)";
inline constexpr std::string_view kMenuSelectAll = "全て選択 (&L)";
inline constexpr std::string_view kMenuView = "表示(&V)";
inline constexpr std::string_view kMenuFiles = "ファイルも表示(&F)";
inline constexpr std::string_view kMenuDepth = "階層の深さ(&D)...";
inline constexpr std::string_view kMenuExclude = "除外する名前(&X)...";
inline constexpr std::string_view kMenuMemo = "メモ作成(&M)";

// Message dialog kinds and buttons
inline constexpr std::string_view kCaptionWarning = "警告";
inline constexpr std::string_view kCaptionError = "エラー";
inline constexpr std::string_view kCaptionInformation = "情報";
inline constexpr std::string_view kCaptionConfirmation = "確認";
inline constexpr std::string_view kButtonYes = "はい(&Y)";
inline constexpr std::string_view kButtonNo = "いいえ(&N)";
inline constexpr std::string_view kButtonOK = "OK";
inline constexpr std::string_view kButtonCancel = "キャンセル";
inline constexpr std::string_view kButtonAbort = "中止(&A)";
inline constexpr std::string_view kButtonRetry = "再試行(&R)";
inline constexpr std::string_view kButtonIgnore = "無視(&I)";
inline constexpr std::string_view kButtonAll = "すべて(&A)";
inline constexpr std::string_view kButtonNoToAll = "すべていいえ(&O)";
inline constexpr std::string_view kButtonYesToAll = "すべてはい(&A)";
inline constexpr std::string_view kButtonHelp = "ヘルプ(&H)";

// The view options' dialogs
inline constexpr std::string_view kDepthDialogTitle = "階層の深さ";
inline constexpr std::string_view kDepthPrompt = "ルートから何階層下まで表示しますか（空欄: 制限なし）";
inline constexpr std::string_view kExcludeDialogTitle = "除外する名前";
inline constexpr std::string_view kExcludePrompt =
    "表示しない名前を 1 行に 1 つ（* と ? が使えます。大文字小文字は区別しません）";

// Folder chooser and command line
inline constexpr std::string_view kFolderDialogTitle = "フォルダを開く";
inline constexpr std::string_view kOrvaleUsage = "使い方: orvale [フォルダ]";

// orvale-tree, the tree text from a shell
inline constexpr std::string_view kTreeUsage =
    "使い方: orvale-tree [-o ファイル] [-L 階層] [-f] [-I パターン]... [--encoding cp932|utf-8] [--memo-limit] "
    "[フォルダ]"
    "（詳しくは orvale-tree --help）";
inline constexpr std::string_view kTreeUnknownOption = "不明なオプションです: %s";
inline constexpr std::string_view kTreeMissingValue = "%s には値が必要です";
inline constexpr std::string_view kTreeBadDepth = "階層は 1 以上の数で指定して下さい: %s";
inline constexpr std::string_view kTreeEmptyPattern = "%s のパターンが空です";
inline constexpr std::string_view kTreeBadEncoding = "文字コードは cp932 か utf-8 です: %s";
inline constexpr std::string_view kTreeBadOutputName = "出力ファイルの拡張子は .txt、.htm、.html のどれかです: %s";
inline constexpr std::string_view kTreeOneFolder = "フォルダは一つだけ指定できます: %s";
inline constexpr std::string_view kTreeProgress = "フォルダ検索中です。%s フォルダ　%s 秒（Ctrl+C:中断）";
inline constexpr std::string_view kTreeWriteStopped = "書き込みを中断しました。";
inline constexpr std::string_view kTreeHelp =
    "使い方: orvale-tree [オプション]... [フォルダ]\n"
    "フォルダ（省略時は現在のフォルダ）の下のフォルダを、Orvale の「メモ作成」と同じ\n"
    "木の形の文字で書き出します。コードページ 932、各行の終わりは CR LF です。\n"
    "「e:」のようにドライブ文字とコロンだけを指定すると、そのドライブ全体を書き出します。\n"
    "\n"
    "  -o, --output ファイル  標準出力ではなくファイルに保存します。形式は拡張子で決まります\n"
    "                         （.txt はテキスト、.htm と .html は HTML）。\n"
    "  -L, --depth 階層       ルートから数えてその階層までだけを書きます（1 ならルートのすぐ下だけ）。\n"
    "  -f, --files            各フォルダのファイルも、そのフォルダのサブフォルダより前に書きます。\n"
    "  -I, --exclude パターン 名前がパターンに合うファイルとフォルダを書かず、そのフォルダの中も\n"
    "                         読みません。* は任意の文字列、? は 1 文字。大文字小文字は区別しません。\n"
    "                         何度でも指定できます。\n"
    "      --encoding 名前    cp932 か utf-8。省略時は cp932、標準出力が端末のときは端末の文字コード。\n"
    "      --memo-limit       メモの上限 2,097,152 バイトまでにします（メモと同じ所で切ります）。\n"
    "  -h, --help             この説明を表示します。\n"
    "      --version          版を表示します。\n"
    "\n"
    "Ctrl+C で検索を中断すると、それまでに見つかったフォルダを書いて終わります。\n"
    "終了コード: 0 正常、1 フォルダを開けない・書き込めない、2 使い方の誤り、130 中断。\n";

// Save dialog and HTML page
inline constexpr std::string_view kSaveFilter = "テキストファイル(*.txt)|*.txt|HTMLファイル(*.htm)|*.htm;*.html";
inline constexpr std::string_view kHtmlTitle = "フォルダ構成";
inline constexpr std::string_view kMemoFontFace = "ＭＳ 明朝";
inline constexpr std::string_view kWindowFontFace = "ＭＳ Ｐゴシック";

// The code page 932 bytes of a text above.
std::string Cp932(std::string_view utf8);

// A text with its one "%s" replaced by `argument` (code page 932 bytes, kept as they are).
std::string Format(std::string_view utf8, std::string_view argument);

}  // namespace texts
