// The one list of the main window's commands. Each row gives a command its
// named id and everything the program knows about it:
//   name          the id the code uses (kCmdNewFind)
//   number        its number 0..211, fixed by the key file's history (new
//                 commands take free numbers of their section's range)
//   section       its menu and key-file section
//   key           its key in the key file ("Group" for a group heading)
//   level         0 an item of its menu, 1 an item of the group above it,
//                 2 a group heading (a submenu)
//   menu_item     the menu item's object name ("" for group headings and
//                 registered-macro slots)
//   caption       what the key tree of the options dialog shows (UTF-8)
//   menu_caption  the menu's form with its access key; "" means the caption
//   hint          the status-bar hint, also the key page's description
//   default_key   the shortcut while no key file exists
//   popup         which shortcut menu also shows it: None, Editor or Tree
//   popup_item    that shortcut-menu item's object name
//   flags         CommandFlag bits
//
// Adding a command: one row here (its number inside its section's range),
// one case in the window's Run*Command for its section.
#pragma once

namespace qy {

// Bits of a row's flags column.
enum CommandFlag : unsigned {
  // The menus draw a separator line above the item.
  kSeparatorBefore = 1u << 0,
  // A toggle: the menu item shows a tick.
  kCheckable = 1u << 1,
  // Disabled, and refused, while a page is out in the external editor.
  kNotWhilePageOut = 1u << 2,
  // Replaces or closes the project: waits until a running macro has ended.
  kNotWhileMacroRuns = 1u << 3,
};

// clang-format off
// X(name, number, section, key, level, menu_item, caption, menu_caption, hint, default_key, popup, popup_item, flags)
#define QY_COMMANDS(X) \
  X(kCmdNewPro, 0, File, "NewPro", 0, "mnuFileNewPro", "新規プロジェクト", "新規プロジェクト(&N)", "新しいプロジェクトを作成します。", "Ctrl+N", None, "", kNotWhileMacroRuns) \
  X(kCmdOpenPro, 1, File, "OpenPro", 0, "mnuFileOpenPro", "プロジェクトを開く", "プロジェクトを開く(&O)...", "既存のプロジェクトを開きます。", "Ctrl+O", None, "", kNotWhileMacroRuns) \
  X(kCmdSavePro, 2, File, "SavePro", 0, "mnuFileSavePro", "プロジェクトの上書き保存", "プロジェクトの上書き保存(&S)", "現在のプロジェクトを上書き保存します。", "Ctrl+S", None, "", 0) \
  X(kCmdSaveAs, 3, File, "SaveAs", 0, "mnuFileSaveAsPro", "名前を付けてプロジェクトの保存", "名前を付けてプロジェクトの保存(&A)...", "現在のプロジェクトに名前を付けて保存します。", "", None, "", 0) \
  X(kCmdOpenText, 4, File, "OpenText", 0, "mnuFileOpenText", "テキストの読み込み", "テキストの読み込み(&T)...", "テキストファイルを現在のトピックに挿入します。", "", None, "", kSeparatorBefore) \
  X(kCmdSaveText, 5, File, "SaveText", 0, "mnuFileSaveText", "トピックをテキストで保存", "トピックをテキストで保存(&G)", "現在のページのトピックをテキストファイルに保存します。", "", None, "", 0) \
  X(kCmdHelpMap, 6, File, "HelpMap", 0, "mnuFileHelpMap", "ヘルプマップファイルを参照", "ヘルプマップファイルを参照(&M)", "ヘルプマップファイル(*.hm)を参照してプロジェクトにページを追加します。", "F6", None, "", kSeparatorBefore) \
  X(kCmdHelpMake, 7, File, "HelpMake", 0, "mnuFileMakeHelp", "ヘルプファイルの作成", "ヘルプファイルの作成(&C)", "プロジェクトからヘルプファイルを作成します。", "F2", None, "", kSeparatorBefore) \
  X(kCmdHelpWiz, 8, File, "HelpWiz", 0, "mnuFileHelpForm", "ヘルプファイル作成ウィザード", "ヘルプファイル作成ウィザード(&F)...", "ウィザードでヘルプファイルを作成します。", "Shift+F2", None, "", 0) \
  X(kCmdFileMake, 9, File, "FileMake", 0, "mnuFileMakeMid", "中間ファイルの作成", "中間ファイルの作成(&M)", "ヘルプコンパイラに渡す中間ファイルを作成します。", "", None, "", kSeparatorBefore) \
  X(kCmdFileDel, 10, File, "FileDel", 0, "mnuFileDelMid", "中間ファイルの削除", "中間ファイルの削除(&H)", "作成した中間ファイルを削除します。", "", None, "", 0) \
  X(kCmdExit, 11, File, "End", 0, "mnuFileEnd", "Quilloryの終了", "Quilloryの終了(&X)", "Quilloryを終了します。", "", None, "", kSeparatorBefore | kNotWhileMacroRuns) \
  X(kCmdExport, 12, File, "Export", 0, "mnuFileExport", "HTML ヘルプへのエクスポート", "HTML ヘルプへのエクスポート(&W)...", "プロジェクトを HTML ヘルプサイトまたは HTML ヘルプファイル (.chm) として書き出します。", "", None, "", kSeparatorBefore) \
  X(kCmdUndo, 21, Edit, "Undo", 0, "mnuEditUnDo", "元に戻す", "元に戻す(&U)", "直前の編集操作を元に戻します。", "Ctrl+Z", Editor, "mnuPnsUndo", 0) \
  X(kCmdCut, 22, Edit, "Cut", 0, "mnuEditCut", "切り取り", "切り取り(&T)", "選択範囲を切り取ってクリップボードに移します。", "Ctrl+X", Editor, "mnuPnsCut", kSeparatorBefore) \
  X(kCmdCopy, 23, Edit, "Copy", 0, "mnuEditCopy", "コピー", "コピー(&C)", "選択範囲をクリップボードにコピーします。", "Ctrl+C", Editor, "mnuPnsCopy", 0) \
  X(kCmdPaste, 24, Edit, "Paste", 0, "mnuEditPaste", "貼り付け", "貼り付け(&P)", "クリップボードの内容を貼り付けます。", "Ctrl+V", Editor, "mnuPnsPaste", 0) \
  X(kCmdDel, 25, Edit, "Del", 0, "mnuEditDel", "削除", "削除(&D)", "選択範囲を削除します。", "", None, "", kSeparatorBefore) \
  X(kCmdSelect, 26, Edit, "Select", 0, "mnuEditAll", "すべて選択", "すべて選択(&A)", "トピックの内容をすべて選択します。", "Ctrl+A", None, "", 0) \
  X(kCmdIntelli, 27, Edit, "Intelli", 0, "mnuEditSel", "インテリセレクト", "インテリセレクト(&I)", "カーソル位置の括弧の範囲を選択します。", "F7", Editor, "mnuPnsSel", kSeparatorBefore) \
  X(kCmdConvertGroup, 28, Edit, "Group", 2, "", "変換", "変換(&V)", "", "", None, "", 0) \
  X(kCmdUCase, 29, Edit, "UCase", 1, "mnuEditChangeUCase", "大文字に変換", "大文字に変換(&U)", "選択範囲を大文字に変換します。", "", None, "", 0) \
  X(kCmdLCase, 30, Edit, "LCase", 1, "mnuEditChangeLCase", "小文字に変換", "小文字に変換(&L)", "選択範囲を小文字に変換します。", "", None, "", 0) \
  X(kCmdHalf, 31, Edit, "Half", 1, "mnuEditChangeHalf", "半角に変換", "半角に変換(&A)", "選択範囲を半角に変換します。", "", None, "", 0) \
  X(kCmdFull, 32, Edit, "Full", 1, "mnuEditChangeFull", "全角に変換", "全角に変換(&F)", "選択範囲を全角に変換します。", "", None, "", 0) \
  X(kCmdHira, 33, Edit, "Hiri", 1, "mnuEditChangeHira", "仮名に変換", "平仮名に変換(&H)", "選択範囲を平仮名に変換します。", "", None, "", 0) \
  X(kCmdKata, 34, Edit, "Kata", 1, "mnuEditChangeKata", "片仮名に変換", "片仮名に変換(&K)", "選択範囲を片仮名に変換します。", "", None, "", 0) \
  X(kCmdNewFind, 35, Edit, "NewFind", 0, "mnuEditFind", "通常の検索", "通常の検索(&F)...", "トピック内の文字列を検索します。", "Ctrl+F", Editor, "mnuPnsFindNew", kSeparatorBefore | kNotWhilePageOut) \
  X(kCmdNextFind, 36, Edit, "NextFind", 0, "mnuEditFindNext", "次を検索", "次を検索(&N)", "次を検索します。", "F3", Editor, "mnuPnsFindNext", kNotWhilePageOut) \
  X(kCmdBackFind, 37, Edit, "BackFind", 0, "mnuEditFindBack", "前を検索", "前を検索(&B)", "前を検索します。", "Shift+F3", Editor, "mnuPnsFindBack", kNotWhilePageOut) \
  X(kCmdFind, 38, Edit, "Find", 0, "mnuEditFindIt", "検索・置換", "検索・置換(&R)...", "すべてのページを対象に検索・置換します。", "Ctrl+H", Editor, "mnuPnsFindIt", kNotWhilePageOut) \
  X(kCmdFindReset, 39, Edit, "Format", 0, "mnuEditFindRef", "検索結果の初期化", "検索結果の初期化(&M)", "検索結果を初期化します。", "", None, "", 0) \
  X(kCmdContext, 40, Edit, "Context", 0, "mnuEditContextLink", "ページリンク", "ページリンク(&L)", "選択したコンテキストのページに移動します。", "F9", Editor, "mnuPnsFindConLink", kSeparatorBefore | kNotWhilePageOut) \
  X(kCmdTop, 41, Edit, "Top", 0, "munEditTopicTop", "トピックの先頭", "トピックの先頭(&O)", "トピックの先頭に移動します。", "", None, "", kSeparatorBefore) \
  X(kCmdBottom, 42, Edit, "Bottom", 0, "mnuEditTopicLast", "トピックの最後", "トピックの最後(&E)", "トピックの最後に移動します。", "", None, "", 0) \
  X(kCmdToolbarGroup, 51, View, "Group", 2, "", "ツールバー", "ツールバー(&T)", "", "", None, "", 0) \
  X(kCmdFileBar, 52, View, "FileBar", 1, "mnuToolbarFile", "ファイルバー", "ファイルバー(&F)", "ファイルバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdEditBar, 53, View, "EditBar", 1, "mnuToolbarEdit", "エディトバー", "エディトバー(&E)", "エディトバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdPropBar, 54, View, "PropBar", 1, "mnuToolbarProp", "プロジェクトバー", "プロジェクトバー(&P)", "プロジェクトバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdPageBar, 55, View, "PageBar", 1, "mnuToolbarPage", "ページバー", "ページバー(&G)", "ページバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdShortBar, 56, View, "ShortBar", 1, "mnuToolbarShort", "ショートカットバー", "ショートカットバー(&S)", "ショートカットバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdSetupBar, 57, View, "SetupBar", 1, "mnuToolbarSetup", "カスタマイズ", "カスタマイズ(&C)...", "ツールバーのボタンの表示を設定します。", "", None, "", 0) \
  X(kCmdKeywordBarGroup, 58, View, "Group", 2, "", "キーワードバー", "キーワードバー(&K)", "", "", None, "", 0) \
  X(kCmdKeyOne, 59, View, "KeyOne", 1, "mnuKeyGrpDown", "1段表示", "&1段表示", "キーワードバーを1段で表示します。", "", None, "", kCheckable) \
  X(kCmdKeyTwo, 60, View, "KeyTwo", 1, "mnuKeyGrpUp", "2段表示", "&2段表示", "キーワードバーを2段で表示します。", "", None, "", kCheckable) \
  X(kCmdKeyThree, 61, View, "KeyThree", 1, "mnuKeyGrp3", "3段表示", "&3段表示", "キーワードバーを3段で表示します。", "", None, "", kCheckable) \
  X(kCmdKeyFour, 62, View, "KeyFour", 1, "mnuKeyGrp4", "4段表示", "&4段表示", "キーワードバーを4段で表示します。", "", None, "", kCheckable) \
  X(kCmdKeybar, 63, View, "Keybar", 1, "mnuViewKeyBar", "表示する", "表示する(&V)", "キーワードバーの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdStatusBar, 64, View, "StatusBar", 0, "mnuViewStatusBar", "ステータスバー", "ステータスバー(&S)", "ステータスバーの表示・非表示を切り替えます。", "", None, "", kSeparatorBefore | kCheckable) \
  X(kCmdPageView, 65, View, "PageView", 0, "mnuViewGroup", "ページビュー", "ページビュー(&P)", "ページビューの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdDebugView, 66, View, "DebugView", 0, "mnuViewDebug", "デバッグビュー", "デバッグビュー(&D)", "デバッグビューの表示・非表示を切り替えます。", "", None, "", kCheckable) \
  X(kCmdTreeItemsGroup, 67, View, "Group", 2, "", "表示する項目", "表示する項目(&V)", "", "", None, "", kSeparatorBefore) \
  X(kCmdViewCon, 68, View, "ViewCon", 1, "mnuViewTreeContext", "コンテキスト", "コンテキスト(&C)", "ページビューにコンテキストを表示します。", "", None, "", kCheckable) \
  X(kCmdViewId, 69, View, "ViewId", 1, "mnuViewTreeConId", "コンテキストＩＤ", "コンテキストＩＤ(&O)", "ページビューにコンテキストＩＤを表示します。", "", None, "", kCheckable) \
  X(kCmdViewKey, 70, View, "ViewKey", 1, "mnuViewTreeKey", "キーワード", "キーワード(&K)", "ページビューにキーワードを表示します。", "", None, "", kCheckable) \
  X(kCmdHelpView, 71, View, "HelpView", 0, "mnuViewHelpFile", "ヘルプファイルの表示", "ヘルプファイルの表示(&L)", "作成したヘルプファイルを表示します。", "F4", None, "", kSeparatorBefore) \
  X(kCmdTextEditorGroup, 72, View, "Group", 2, "", "テキストエディタで...", "テキストエディタで(&T)...", "", "", None, "", 0) \
  X(kCmdEditCnt, 73, View, "EditCnt", 1, "mnuViewMidFileCnt", "CNTファイルを開く", "CNT ファイルを開く(&C)", "CNT ファイルをテキストエディタで開きます。", "", None, "", 0) \
  X(kCmdEditHpj, 74, View, "EditHpj", 1, "mnuViewMidFileHpj", "HPJファイルを開く", "HPJ ファイルを開く(&J)", "HPJ ファイルをテキストエディタで開きます。", "", None, "", 0) \
  X(kCmdEditRtf, 75, View, "EditRtf", 1, "mnuViewMidFileRtf", "RTFファイルを開く", "RTF ファイルを開く(&R)", "RTF ファイルをテキストエディタで開きます。", "", None, "", 0) \
  X(kCmdEditHh, 76, View, "EditHh", 1, "mnuViewMidFileHh", "HHファイルを開く", "HH ファイルを開く(&H)", "HH ファイルをテキストエディタで開きます。", "", None, "", 0) \
  X(kCmdEditErr, 77, View, "EdtErr", 1, "mnuViewMidFileErr", "ERRファイルを開く", "ERR ファイルを開く(&E)", "ERR ファイルをテキストエディタで開きます。", "", None, "", 0) \
  X(kCmdHelpWorkshopGroup, 78, View, "Group", 2, "", "ヘルプワークショップで...", "ヘルプワークショップで(&W)...", "", "", None, "", 0) \
  X(kCmdHwsCnt, 79, View, "HwsCnt", 1, "mnuViewMidShopCnt", "CNTファイルを開く", "CNT ファイルを開く(&C)", "CNT ファイルをヘルプワークショップで開きます。", "", None, "", 0) \
  X(kCmdHwsHpj, 80, View, "HwsHpj", 1, "mnuViewMidShopHpj", "HPJファイルを開く", "HPJ ファイルを開く(&J)", "HPJ ファイルをヘルプワークショップで開きます。", "", None, "", 0) \
  X(kCmdShowSHG, 81, View, "ShowSHG", 0, "mnuViewSHG", "ホットスポットエディタ", "ホットスポットエディタ(&H)", "ホットスポットエディタを起動します。", "Shift+Ctrl+S", None, "", kSeparatorBefore) \
  X(kCmdOption, 82, View, "Option", 0, "mnuViewOption", "オプション", "オプション(&O)...", "Quilloryの各種オプションを設定します。", "", None, "", 0) \
  X(kCmdNewPage, 91, Project, "NewPage", 0, "mnuProGroupNew", "新規ページ", "新規ページ(&N)", "現在のページの後に新しいページを作成します。", "Ctrl+G", Tree, "mnuPopNewGroup", kNotWhilePageOut) \
  X(kCmdPageWiz, 92, Project, "PageWiz", 0, "mnuProGroupWiz", "新規ページウィザード", "新規ページウィザード(&W)...", "ウィザードで新しいページを作成します。", "Ctrl+W", Tree, "mnuPopNewGroupWiz", kNotWhilePageOut) \
  X(kCmdCutPage, 93, Project, "CutPage", 0, "mnuProGroupCut", "ページを切り取る", "ページを切り取る(&T)", "現在のページを切り取ってクリップボードに移します。", "Shift+Ctrl+X", Tree, "mnuPopPageCut", kSeparatorBefore | kNotWhilePageOut) \
  X(kCmdCopyPage, 94, Project, "CopyPage", 0, "mnuProGroupCopy", "ページをコピー", "ページをコピー(&C)", "現在のページをクリップボードにコピーします。", "Shift+Ctrl+C", Tree, "mnuPopPageCopy", 0) \
  X(kCmdPastePage, 95, Project, "PastePage", 0, "mnuProGroupPaste", "ページを貼り付け", "ページを貼り付け(&P)", "クリップボードのページを現在のページの後に貼り付けます。", "Shift+Ctrl+V", Tree, "mnuPopPagePaste", kNotWhilePageOut) \
  X(kCmdDelPage, 96, Project, "DelPage", 0, "mnuProGroupDel", "ページを削除", "ページを削除(&D)", "現在のページを削除します。", "Ctrl+D", Tree, "mnuPopDelGroup", kNotWhilePageOut) \
  X(kCmdPageProperties, 97, Project, "Title", 0, "mnuProPage", "ページのプロパティ", "ページのプロパティ(&R)...", "現在のページのプロパティを設定します。", "Ctrl+T", Tree, "mnuPopGroupProp", kSeparatorBefore | kNotWhilePageOut) \
  X(kCmdPageKindGroup, 98, Project, "Group", 2, "", "ページ属性", "ページ属性(&A)", "", "", None, "", kSeparatorBefore) \
  X(kCmdAttrTopic, 99, Project, "Topic", 1, "mnuAttrTopic", "トピック属性", "トピック属性(&T)", "現在のページをトピック属性にします。", "Ctrl+Alt+T", None, "", kNotWhilePageOut) \
  X(kCmdAttrPopup, 100, Project, "Popup", 1, "mnuAttrPopup", "ポップアップ属性", "ポップアップ属性(&P)", "現在のページをポップアップ属性にします。", "Ctrl+Alt+P", None, "", kNotWhilePageOut) \
  X(kCmdAttrContent, 101, Project, "Content", 1, "mnuAttrContent", "コンテント属性", "コンテント属性(&C)", "現在のページをコンテント属性にします。", "Ctrl+Alt+N", None, "", kNotWhilePageOut) \
  X(kCmdAttrInclude, 102, Project, "Include", 1, "mnuAttrInclude", "インクルード属性", "インクルード属性(&I)...", "現在のページをインクルード属性にします。", "Ctrl+Alt+I", None, "", kNotWhilePageOut) \
  X(kCmdAttrBook, 103, Project, "Book", 1, "mnuAttrBook", "ブック属性の設定", "ブック属性(&B)...", "現在のページをブック属性にします。", "Ctrl+Alt+B", None, "", kNotWhilePageOut) \
  X(kCmdEditor, 104, Project, "Editor", 0, "mnuProEdit", "エディタでページを編集", "エディタでページを編集(&E)", "現在開いているページのトピックをテキストエディタで編集します。", "Shift+Ctrl+E", Tree, "mnuPopPageEdit", kSeparatorBefore | kCheckable) \
  X(kCmdPreview, 105, Project, "Preview", 0, "mnuProPvw", "ページのプレビュー", "ページのプレビュー(&V)", "現在のページをプレビューします。", "Shift+Ctrl+W", Tree, "mnuPopPagePvw", 0) \
  X(kCmdBraceChk, 106, Project, "BraceChk", 0, "mnuProChk", "括弧の適合チェック", "括弧の適合チェック(&A)...", "すべてのページの括弧の対応をチェックします。", "Shift+Ctrl+R", None, "", kNotWhilePageOut) \
  X(kCmdPageBack, 107, Project, "PageBack", 0, "mnuProTopGroup", "前のページ", "前のページ(&B)", "前のページに移動します。", "Ctrl+Left", None, "", kSeparatorBefore | kNotWhilePageOut) \
  X(kCmdPageNext, 108, Project, "PageNext", 0, "mnuProNextGroup", "次のページ", "次のページ(&N)", "次のページに移動します。", "Ctrl+Right", None, "", kNotWhilePageOut) \
  X(kCmdPageHis, 109, Project, "PageHis", 0, "mnuProHisLst", "ページ移動略歴", "ページ移動略歴(&H)", "最近表示したページに移動します。", "Ctrl+M", Editor, "mnuPumGrpHis", kNotWhilePageOut) \
  X(kCmdPageDown, 110, Project, "PageDown", 0, "mnuProDownGroup", "ページを１つ下", "ページを１つ下に(&J)", "現在のページを１つ下に移動します。", "Ctrl+Down", Tree, "mnuPopGroupDown", kSeparatorBefore) \
  X(kCmdPageUp, 111, Project, "PageUp", 0, "mnuProUpGroup", "ページを１つ上", "ページを１つ上に(&K)", "現在のページを１つ上に移動します。", "Ctrl+Up", Tree, "mnuPopGroupUp", 0) \
  X(kCmdProperty, 112, Project, "Property", 0, "mnuProProperty", "プロジェクトのプロパティ", "プロジェクトのプロパティ(&P)...", "プロジェクトのプロパティを設定します。", "Shift+Ctrl+P", None, "", kSeparatorBefore) \
  X(kCmdPictureGroup, 121, ShortCut, "Group", 2, "", "画像ファイル", "画像ファイル(&G)", "", "", None, "", 0) \
  X(kCmdBmpIn, 122, ShortCut, "BmpIn", 1, "mnuShortBmpIn", "画像ファイルの挿入", "画像ファイルの挿入(&I)...", "画像ファイルを選んで挿入します。", "Shift+F5", Editor, "mnuPnsBmpIn", 0) \
  X(kCmdBmp1, 123, ShortCut, "Bmp1", 1, "mnuShortBmpInOpt1", "画像ファイル１", "", "", "Shift+Ctrl+F1", None, "", kSeparatorBefore) \
  X(kCmdBmp2, 124, ShortCut, "Bmp2", 1, "mnuShortBmpInOpt2", "画像ファイル２", "", "", "Shift+Ctrl+F2", None, "", 0) \
  X(kCmdBmp3, 125, ShortCut, "Bmp3", 1, "mnuShortBmpInOpt3", "画像ファイル３", "", "", "Shift+Ctrl+F3", None, "", 0) \
  X(kCmdBmp4, 126, ShortCut, "Bmp4", 1, "mnuShortBmpInOpt4", "画像ファイル４", "", "", "Shift+Ctrl+F4", None, "", 0) \
  X(kCmdBmp5, 127, ShortCut, "Bmp5", 1, "mnuShortBmpInOpt5", "画像ファイル５", "", "", "Shift+Ctrl+F5", None, "", 0) \
  X(kCmdBmp6, 128, ShortCut, "Bmp6", 1, "mnuShortBmpInOpt6", "画像ファイル６", "", "", "Shift+Ctrl+F6", None, "", 0) \
  X(kCmdBmp7, 129, ShortCut, "Bmp7", 1, "mnuShortBmpInOpt7", "画像ファイル７", "", "", "Shift+Ctrl+F7", None, "", 0) \
  X(kCmdBmp8, 130, ShortCut, "Bmp8", 1, "mnuShortBmpInOpt8", "画像ファイル８", "", "", "Shift+Ctrl+F8", None, "", 0) \
  X(kCmdBmp9, 131, ShortCut, "Bmp9", 1, "mnuShortBmpInOpt9", "画像ファイル９", "", "", "Shift+Ctrl+F9", None, "", 0) \
  X(kCmdBmpSet, 132, ShortCut, "BmpSet", 1, "mnuShortBmpSeting", "画像ファイルの登録", "画像ファイルの登録(&B)...", "画像ファイルをメニューに登録します。", "", None, "", 0) \
  X(kCmdJumpLink, 145, ShortCut, "JumpLink", 0, "mnuShortJump", "ジャンプ", "ジャンプ(&J)...", "ジャンプを挿入します。", "Ctrl+J", Editor, "mnuPnsJump", kSeparatorBefore) \
  X(kCmdPopupLink, 146, ShortCut, "PopupLink", 0, "mnuShortPopup", "ポップアップ", "ポップアップ(&P)...", "ポップアップを挿入します。", "Ctrl+P", Editor, "mnuPnsPopup", 0) \
  X(kCmdKLink, 147, ShortCut, "KLink", 0, "mnuShortKLink", "Ｋリンク", "Ｋリンク(&K)...", "Ｋリンクを挿入します。", "Shift+Ctrl+K", Editor, "mnuPnsKLink", 0) \
  X(kCmdALink, 148, ShortCut, "ALink", 0, "mnuShortALink", "Ａリンク", "Ａリンク(&A)...", "Ａリンクを挿入します。", "Shift+Ctrl+A", Editor, "mnuPnsALink", 0) \
  X(kCmdHLink, 149, ShortCut, "HLink", 0, "mnuShortHyper", "ハイパーリンク", "ハイパーリンク(&H)...", "ハイパーリンクを挿入します。", "Shift+Ctrl+H", Editor, "mnuPnsHyper", 0) \
  X(kCmdIndent, 150, ShortCut, "Indent", 0, "mnuShortIndent", "インデント", "インデント(&I)...", "インデントを設定します。", "Ctrl+I", Editor, "mnuPnsIndent", kSeparatorBefore) \
  X(kCmdLineSpace, 151, ShortCut, "LineSpace", 0, "mnuShortLineSpace", "行間設定", "行間設定(&N)...", "行間を設定します。", "Ctrl+K", Editor, "mnuPnsLineSpace", 0) \
  X(kCmdFont, 152, ShortCut, "Font", 0, "mnuShortFontSeting", "フォントの効果", "フォントの効果(&F)...", "フォントの効果を設定します。", "Ctrl+L", Editor, "mnuPnsFont", 0) \
  X(kCmdBold, 153, ShortCut, "Bold", 0, "mnuShortFontB", "太字", "太字(&B)", "選択範囲を太字にします。", "", Editor, "mnuPnsFontB", kSeparatorBefore) \
  X(kCmdItalic, 154, ShortCut, "Italic", 0, "mnuShortFontI", "斜体", "斜体(&T)", "選択範囲を斜体にします。", "", Editor, "mnuPnsFontI", 0) \
  X(kCmdLeft, 155, ShortCut, "Left", 0, "mnuShortLeft", "左揃え", "左揃え(&L)", "段落を左揃えにします。", "", Editor, "mnuPnsLeft", kSeparatorBefore) \
  X(kCmdCenter, 156, ShortCut, "Center", 0, "mnuShortCenter", "中央揃え", "中央揃え(&C)", "段落を中央揃えにします。", "", Editor, "mnuPnsCenter", 0) \
  X(kCmdRight, 157, ShortCut, "Right", 0, "mnuShortRight", "右揃え", "右揃え(&R)", "段落を右揃えにします。", "", Editor, "mnuPnsRight", 0) \
  X(kCmdEtc, 158, ShortCut, "Etc", 0, "mnuShortEtc", "その他のショートカット", "その他のショートカット(&E)...", "その他のショートカットを挿入します。", "Ctrl+E", Editor, "mnuEtcShort", kSeparatorBefore) \
  X(kCmdMacRun, 171, Macro, "MacRun", 0, "mnuMacRun", "QYマクロを指定して実行", "QYマクロを指定して実行(&R)", "QYマクロを選んで実行します。", "F5", Editor, "mnuPnsEscIn", 0) \
  X(kCmdMacLast, 172, Macro, "MacLast", 0, "mnuMacLastRun", "直前に実行したQYマクロ", "直前に実行したQYマクロ(&L)", "直前に実行したQYマクロをもう一度実行します。", "", None, "", 0) \
  X(kCmdMac00, 173, Macro, "Mac00", 0, "", "QYマクロ00", "", "", "Ctrl+F1", None, "", kSeparatorBefore) \
  X(kCmdMac01, 174, Macro, "Mac01", 0, "", "QYマクロ01", "", "", "Ctrl+F2", None, "", 0) \
  X(kCmdMac02, 175, Macro, "Mac02", 0, "", "QYマクロ02", "", "", "Ctrl+F3", None, "", 0) \
  X(kCmdMac03, 176, Macro, "Mac03", 0, "", "QYマクロ03", "", "", "Ctrl+F4", None, "", 0) \
  X(kCmdMac04, 177, Macro, "Mac04", 0, "", "QYマクロ04", "", "", "Ctrl+F5", None, "", 0) \
  X(kCmdMac05, 178, Macro, "Mac05", 0, "", "QYマクロ05", "", "", "Ctrl+F6", None, "", 0) \
  X(kCmdMac06, 179, Macro, "Mac06", 0, "", "QYマクロ06", "", "", "Ctrl+F7", None, "", 0) \
  X(kCmdMac07, 180, Macro, "Mac07", 0, "", "QYマクロ07", "", "", "Ctrl+F8", None, "", 0) \
  X(kCmdMac08, 181, Macro, "Mac08", 0, "", "QYマクロ08", "", "", "Ctrl+F9", None, "", 0) \
  X(kCmdMac09, 182, Macro, "Mac09", 0, "", "QYマクロ09", "", "", "Ctrl+F10", None, "", 0) \
  X(kCmdMac10, 183, Macro, "Mac10", 0, "", "QYマクロ10", "", "", "Ctrl+F11", None, "", 0) \
  X(kCmdMac11, 184, Macro, "Mac11", 0, "", "QYマクロ11", "", "", "Ctrl+F12", None, "", 0) \
  X(kCmdMac12, 185, Macro, "Mac12", 0, "", "QYマクロ12", "", "", "", None, "", 0) \
  X(kCmdMac13, 186, Macro, "Mac13", 0, "", "QYマクロ13", "", "", "", None, "", 0) \
  X(kCmdMac14, 187, Macro, "Mac14", 0, "", "QYマクロ14", "", "", "", None, "", 0) \
  X(kCmdMac15, 188, Macro, "Mac15", 0, "", "QYマクロ15", "", "", "", None, "", 0) \
  X(kCmdMac16, 189, Macro, "Mac16", 0, "", "QYマクロ16", "", "", "", None, "", 0) \
  X(kCmdMac17, 190, Macro, "Mac17", 0, "", "QYマクロ17", "", "", "", None, "", 0) \
  X(kCmdMac18, 191, Macro, "Mac18", 0, "", "QYマクロ18", "", "", "", None, "", 0) \
  X(kCmdMac19, 192, Macro, "Mac19", 0, "", "QYマクロ19", "", "", "", None, "", 0) \
  X(kCmdMacReg, 193, Macro, "MacReg", 0, "mnuMacReg", "QYマクロをメニューに登録", "QYマクロをメニューに登録(&G)...", "QYマクロをメニューに登録します。", "", None, "", kSeparatorBefore) \
  X(kCmdHelpTopic, 201, Help, "Topic", 0, "mnuHelpTopic", "トピックの検索", "トピックの検索(&H)", "Quilloryのヘルプを表示します。", "F1", None, "", 0) \
  X(kCmdQYMacro, 202, Help, "QYMacro", 0, "mnuHelpMacro", "QYマクロヘルプ", "QYマクロヘルプ(&M)", "QYマクロのヘルプを表示します。", "", None, "", 0) \
  X(kCmdFaq, 203, Help, "Faq", 0, "mnuHelpFAQ", "FAQヘルプ", "FAQヘルプ(&F)", "よくある質問のヘルプを表示します。", "", None, "", 0) \
  X(kCmdHcw, 204, Help, "Hcw", 0, "mnuHelpHcw", "HCWヘルプ", "HCWのヘルプ(&W)", "ヘルプワークショップのヘルプを表示します。", "", None, "", 0) \
  X(kCmdHelp0, 205, Help, "Help0", 0, "mnuHelpOutN0", "外部ヘルプ１", "", "", "", None, "", kSeparatorBefore) \
  X(kCmdHelp1, 206, Help, "Help1", 0, "mnuHelpOutN1", "外部ヘルプ２", "", "", "", None, "", 0) \
  X(kCmdHelp2, 207, Help, "Help2", 0, "mnuHelpOutN2", "外部ヘルプ３", "", "", "", None, "", 0) \
  X(kCmdHelp3, 208, Help, "Help3", 0, "mnuHelpOutN3", "外部ヘルプ４", "", "", "", None, "", 0) \
  X(kCmdHelp4, 209, Help, "Help4", 0, "mnuHelpOutN4", "外部ヘルプ５", "", "", "", None, "", 0) \
  X(kCmdOutside, 210, Help, "Outside", 0, "mnuHelpOutside", "外部ヘルプ...", "外部ヘルプ(&O)...", "Help メニューに表示する外部ヘルプを設定します。", "", None, "", kSeparatorBefore) \
  X(kCmdAbout, 211, Help, "About", 0, "mnuHelpVersion", "バージョン情報", "バージョン情報(&A)...", "Quilloryのバージョン情報を表示します。", "", None, "", kSeparatorBefore)

// clang-format on

// The named ids; the value is the command's number.
enum CommandId : int {
  kCmdNone = -1,  // no command (a toolbar separator)
#define QY_COMMAND_ENUM(name, number, ...) name = number,
  QY_COMMANDS(QY_COMMAND_ENUM)
#undef QY_COMMAND_ENUM
};

}  // namespace qy
