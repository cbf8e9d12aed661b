// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's commands: its button row, menus, picture menu and keys, in their order.
#include "gallery/frm_main.h"

namespace tv {

namespace {

using C = Commands<FrmMain>;

// clang-format off
constexpr Command<FrmMain> kGalleryCommands[] = {
    // The button row above the view, left to right.
    C::Button("Command1", "打开图片", "document-open-symbolic", &FrmMain::ChoosePictureFile),
    C::Button("Command5", "搜索(展开)图片子目录", "folder-saved-search-symbolic", &FrmMain::SearchSubfolders).Named(&FrmMain::search_button),
    C::Button("Command8", "查看图片路径", "folder-symbolic", &FrmMain::ShowPicturePath),
    C::Button("Command2", "刷新图像", "view-refresh-symbolic", &FrmMain::Refresh),
    C::Button("CmdPage", "往前翻页", "go-previous-symbolic", nullptr).At(&FrmMain::page_buttons, 0, &FrmMain::TurnPage).Disabled(),
    C::Button("CmdPage", "往后翻页", "go-next-symbolic", nullptr).At(&FrmMain::page_buttons, 1, &FrmMain::TurnPage),
    C::Button("BigP", "图像放大", "zoom-in-symbolic", &FrmMain::ZoomIn).In(&FrmMain::zoom_buttons, 0),
    C::Button("BigP", "图像缩小", "zoom-out-symbolic", &FrmMain::ZoomOut).In(&FrmMain::zoom_buttons, 1),
    C::Button("Command7", "切换图像方阵 X4", "view-grid-symbolic", &FrmMain::NextLayout),
    C::Button("Command10", "屏幕拉伸 / 宽度相等 / 原始大小", "zoom-fit-best-symbolic", &FrmMain::CycleWidthMode),
    C::Button("ImgComb", "切换图像背景", "color-select-symbolic", &FrmMain::CycleBackground),
    C::Button("MoveUp", "至页面顶部", "go-top-symbolic", nullptr).At(&FrmMain::scroll_buttons, 0, &FrmMain::ToggleAutoScroll),
    C::Button("MoveUp", "至页面底部", "go-bottom-symbolic", nullptr).At(&FrmMain::scroll_buttons, 1, &FrmMain::ToggleAutoScroll),
    C::Button("Command9", "全部图片 保存为截图", "camera-photo-symbolic", &FrmMain::SaveScreenshot),
    C::Button("Command6", "Lumbra看图浏览器", "web-browser-symbolic", &FrmMain::OpenBrowser),
    C::Button("Command3", "关于软件作者", "help-about-symbolic", &FrmMain::ShowHelpMenu),

    C::Menu("mFile", "文件(&F)"),
    C::Item("FopenFile", "打开图片(&O)", &FrmMain::ChoosePictureFile),
    C::Item("FsearchDir", "搜索图片目录(&S)", &FrmMain::SearchSubfolders),
    C::Separator(),
    C::Item("Fliulanqi", "Lumbra图片浏览器(&A)", &FrmMain::OpenBrowser),
    C::Separator(),
    C::Item("ToolSaveList", "导出图像文件列表", &FrmMain::ExportPictureList),
    C::Item("ToolScreen", "全部图片 保存为截图", &FrmMain::SaveScreenshot),
    C::Separator(),
    C::Item("FprintSet", "打印设置", &FrmMain::PrintSetup),
    C::Item("FprintView", "打印预览", &FrmMain::PrintPreview),
    C::Item("Fprint", "打印(&P)", &FrmMain::Print),
    C::Separator(),
    // The desktop's key for ending a program.
    C::Item("Fexit", "退出(&E)", &FrmMain::Quit).Keys("Ctrl+Q"),

    C::Menu("mEdit", "查看(&V)"),
    C::Item("Eforward", "页面前进", &FrmMain::NextPage).Keys("Page_Down"),
    C::Item("Eback", "页面后退", &FrmMain::PreviousPage).Keys("Page_Up"),
    C::Item("ToolJump", "快速跳转页面至…页", &FrmMain::JumpToPage),
    C::Item("Ereload", "刷新目录(&R)", &FrmMain::Refresh).Keys("F5"),
    C::Item("FullScreen", "全屏显示", &FrmMain::ToggleFullScreen).Keys("F11"),
    C::Separator(),
    C::Item("EviewPath", "显示图片文件目录", &FrmMain::ToggleFolderPanel).Named(&FrmMain::folder_panel_item),
    C::Item("EfilePath", "查看图片文件路径", &FrmMain::ShowPicturePath),
    C::Item("Folder", "驻在文件夹菜单上", &FrmMain::ToggleShellMenu).Named(&FrmMain::shell_menu_item),
    C::Separator(),
    C::Item("ToolSetup", "系统设置(&S)", &FrmMain::AskPicturesPerPage),

    C::Menu("mImage", "图像(&I)"),
    C::Item("IbigSize", "图像放大", &FrmMain::ZoomIn).Keys("Ctrl+plus"),
    C::Item("IsmaillSize", "图像缩小", &FrmMain::ZoomOut).Keys("Ctrl+minus"),
    C::Item("IbackColor", "切换图像背景", &FrmMain::CycleBackground),
    C::Item("IfangZhen", "切换图像方阵", &FrmMain::NextLayout),
    C::Item("Iwidth", "图像拉伸/宽度相等/原始大小", &FrmMain::CycleWidthMode),
    C::Separator(),
    C::Submenu("RunScreen", "滚动屏幕(&R)"),
    C::Item("RgoTop", "至页面顶部(&T)", &FrmMain::ScrollToTop),
    C::Item("RgoButton", "至页面底部(&B)", &FrmMain::ScrollToBottom),
    C::Separator(),
    C::Item("Speed", "低速(&L)").At(&FrmMain::speed_items, 0, &FrmMain::SetScrollSpeed).Checked(),
    C::Item("Speed", "慢速(&M)").At(&FrmMain::speed_items, 1, &FrmMain::SetScrollSpeed),
    C::Item("Speed", "中速(&H)").At(&FrmMain::speed_items, 2, &FrmMain::SetScrollSpeed),
    C::Item("Speed", "快速(&U)").At(&FrmMain::speed_items, 3, &FrmMain::SetScrollSpeed),
    C::Item("Speed", "高速(&G)").At(&FrmMain::speed_items, 4, &FrmMain::SetScrollSpeed),
    C::EndMenu(),

    C::Menu("HelpM", "帮助(&H)").Named(&FrmMain::help_menu),
    C::Item("HelpMe", "使用帮助(&H)"),  // does nothing
    C::Item("HelpEmail", "联系作者(&E)", &FrmMain::WriteToAuthor),
    C::Item("HelpHome", "官方网站(&P)", &FrmMain::OpenHomePage),
    C::Separator(),
    C::Item("LagFanti", "繁体语言版", &FrmMain::ShowTraditionalChinese),
    C::Item("LagEnglish", "英文语言版", &FrmMain::ShowEnglish),
    C::Separator(),
    C::Item("ToolsLocal", "程序所在位置", &FrmMain::ShowProgramFolder),
    C::Item("HelpAbout", "关于(&A)", &FrmMain::ShowAbout),

    // The picture menu, shown over a thumbnail.
    C::Menu("MyTools", "工具(&T)").Named(&FrmMain::picture_menu),
    C::Item("ToolDefaut", "打开图片(&O)", &FrmMain::OpenSelectedPicture),
    C::Item("ToolsPath", "查看图片路径(&P)", &FrmMain::ShowSelectedPicturePath),
    C::Separator(),
    C::Item("ToolJump2", "快速跳转页面至…页", &FrmMain::JumpToPage),
    C::Item("ToolsTop", "至页面顶部(&T)", &FrmMain::ScrollToTop),
    C::Item("ToolsButton", "至页面底部(&B)", &FrmMain::ScrollToBottom),
    C::Item("ToolReload", "刷新(&R)", &FrmMain::Refresh),
    C::Separator(),
    C::Item("ToolsCopy", "另存图片(&C)", &FrmMain::SaveSelectedPictureAs),
    C::Item("ToolsDel", "删除图片(&D)", &FrmMain::TrashSelectedPicture),
    C::Item("ToolsClipboard", "复制图片(剪贴板)", &FrmMain::CopySelectedPicture),
    C::Item("ToolsEdit", "编辑图片(画图板)", &FrmMain::EditSelectedPicture),
    C::Separator(),
    C::Item("ToolsAttrib", "图片属性(&A)", &FrmMain::ShowSelectedPictureProperties),

    // Keys a picture viewer's user reaches for, beside those the menus show.
    C::Key("Home", &FrmMain::ShowFirstPage),
    C::Key("End", &FrmMain::ShowLastPage),
    C::Key("Ctrl+equal", &FrmMain::ZoomIn),
    C::Key("Ctrl+KP_Add", &FrmMain::ZoomIn),
    C::Key("Ctrl+KP_Subtract", &FrmMain::ZoomOut),
    C::Key("Escape", &FrmMain::LeaveFullScreen),
};
// clang-format on

}  // namespace

void FrmMain::CreateCommands() {
  AddCommands(*this, kGalleryCommands);
}

}  // namespace tv
