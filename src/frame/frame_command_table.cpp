// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands: its tool strip, the address row's buttons, its menus and the keys
// a browser's user reaches for, in their order.
#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "gallery/maker_links.h"
#include "settings/settings_store.h"

namespace tv {

namespace {

using C = Commands<FormExplore>;
using F = FormExplore;

// clang-format off
constexpr Command<FormExplore> kFrameCommands[] = {
    // The tool strip, left to right.
    C::Button("Command2", "页面刷新", "view-refresh-symbolic", &F::RefreshOrRescan),
    C::Button("Command5", "首页", "go-home-symbolic", &F::OpenDefaultHomePage),
    C::Button("Command1", "网站访问历史", "document-open-recent-symbolic", &F::ShowTodaysHistory),
    C::Button("Command3", "恢复关闭的网页", "edit-undo-symbolic", &F::RestoreClosedPage),
    C::Button("Command8", "关闭当前网页", "window-close-symbolic", &F::CloseCurrentTab),
    C::Button("Command11", "查看源文件", "text-x-generic-symbolic", &F::ShowPageSource),
    C::Button("MoveUp", "至页面顶部", "go-top-symbolic", nullptr).At(&F::scroll_buttons, 0, &F::ToggleAutoScroll),
    C::Button("MoveUp", "至页面底部", "go-bottom-symbolic", nullptr).At(&F::scroll_buttons, 1, &F::ToggleAutoScroll),
    C::Button("Command10", "屏幕拉伸 / 宽度相等 / 原始大小", "zoom-fit-best-symbolic", &F::CycleWidthMode),
    C::Button("Command7", "图像矩形方阵 X4", "view-grid-symbolic", &F::NextLayout),
    C::Button("ImgComb", "图像背景颜色", "color-select-symbolic", &F::CycleBackground),
    C::Button("Command4", "手动下载图片", "document-save-symbolic", &F::SaveLargePictures),
    C::Button("Command6", "图片下载目录", "folder-open-symbolic", &F::OpenDownloadFolder),
    // The address row.
    C::Button("CmdPage", "后退", "go-previous-symbolic", nullptr).At(&F::history_buttons, 0, &F::GoBackOrForward).Disabled(),
    C::Button("CmdPage", "前进", "go-next-symbolic", nullptr).At(&F::history_buttons, 1, &F::GoBackOrForward).Disabled(),
    C::Button("CmdGo", "", "", &F::GoToAddress).Text("转到").Named(&F::go_button),
    C::Button("CmdSearch", "", "", &F::SearchKeyword).Text("搜索(&S)").Named(&F::search_button),
    // The find bar's buttons, shown with its box.
    C::Button("FindNext", "", "", &F::FindNext).Text("下一个"),
    C::Button("FindPrev", "", "", &F::FindPrevious).Text("上一个"),
    C::Button("FindClose", "", "", &F::CloseFindBar).Text("关闭"),

    C::Menu("mFile", "文件(&F)"),
    C::Item("LoadMe", "开启新窗口(&N)", &F::StartAnotherCopy).Keys("Ctrl+N"),
    C::Item("build", "新建选项卡", &F::NewTab).Keys("Ctrl+T"),
    C::Item("mnuFileOpen", "打开本地文件(&O)...", &F::OpenLocalFile),
    C::Separator(),
    C::Item("mnuFileSaveAs", "保存 网页(&A)", &F::SavePageAs).Keys("Ctrl+S"),
    C::Item("mnuFileSave", "保存 源文件(&M)", &F::SavePageSource),
    C::Item("DownloadImg", "全部图片 另存为(&D)", &F::ShowTodaysHistory),
    C::Item("PrintScreen2", "网页截图 另存为(&P)", &F::SavePageScreenshot),
    C::Separator(),
    C::Item("printset", "页面设置", &F::PageSetup),
    C::Item("closecd", "打印预览(&G)", &F::PrintPreview),
    C::Item("Print", "打印(&P)", &F::PrintPage).Keys("Ctrl+P"),
    C::Separator(),
    C::Item("Femail", "电子邮件", &F::WriteEmail),
    C::Item("FmyPC", "我的电脑", &F::OpenComputerFolder),
    C::Item("bohao", "拨号上网(&N)", &F::OpenDialUpSettings),
    C::Item("offnet", "脱机工作(&T)", &F::ToggleOffline),
    C::Separator(),
    C::Item("mnuFileExit", "退出(&X)", &F::CloseBrowser),

    C::Menu("mEdit", "编辑(&E)"),
    C::Item("cancel", "撤消关闭窗口", &F::RestoreClosedPage),
    C::Item("CloseMyie", "关闭当前网页", &F::CloseCurrentTab).Keys("Ctrl+W"),
    C::Separator(),
    C::Item("mnuEditCopy", "复制(&C)", &F::CopySelection),
    C::Item("shan", "剪切(&T)", &F::CutSelection),
    C::Item("chakan", "粘贴(&P)", &F::Paste),
    C::Separator(),
    C::Item("EditPage", "网页编辑模式", &F::ToggleEditMode),
    C::Item("Attrib", "页面属性", &F::ShowPageProperties),
    C::Item("mnuViewRefresh", "全选(&A)", &F::SelectAll),
    C::Item("mnuViewOptions", "查找(&F)", &F::ShowFindBar).Keys("Ctrl+F"),

    C::Menu("PageLabel", "查看(&V)").Named(&F::tab_menu),
    C::Item("closeme", "关闭选项卡(鼠标双击)", &F::CloseCurrentTab),
    C::Item("build2", "新建选项卡", &F::NewTab).Keys("Ctrl+T"),
    C::Item("EnablePlayFilmMusic", "允许播放电影/音乐", &F::ReloadWithoutBlocking),
    C::Separator(),
    C::Item("pageup", "至页面顶部", &F::ScrollToTop),
    C::Item("pagedown", "至页面底部", &F::ScrollToBottom),
    C::Separator(),
    C::Item("mnuCloseOther", "关闭其他窗口", &F::CloseOtherTabs),
    C::Item("mnuFileClose", "关闭全部窗口", &F::CloseAll),
    C::Item("closeleft", "关闭左侧窗口", &F::CloseLeft),
    C::Item("closeright", "关闭右侧窗口", &F::CloseRight),
    C::Separator(),
    C::Item("fuzhi", "复制网站标题", &F::CopyTabTitle),
    C::Item("address", "复制网站地址", &F::CopyAddress),
    C::Item("Page", "复制", &F::CopyTabText),
    C::Separator(),
    C::Item("shuaxin", "刷新(&R)", &F::RefreshPage).Keys("F5"),
    C::Item("AllResuha", "全部刷新", &F::RefreshAllTabs),
    C::Item("Tingzhi", "停止(&S)", &F::StopOrLeave).Keys("Escape"),
    C::Separator(),
    C::Item("yuan", "源文件", &F::ShowPageSource),
    C::Item("yuanBu", "选中区域的源文件", &F::ShowSelectionSource),
    C::Item("OpenUrlStyle", "其他浏览器查看方式", &F::OpenInOtherBrowser),
    C::Item("ShowMe", "全屏显示", &F::ToggleFullScreen).Keys("F11"),

    C::Menu("mFav", "收藏夹(&S)"),
    C::Item("addhome", "添加到收藏夹", &F::AddFavorite),
    C::Item("RelaodDir", "刷新收藏夹", &F::ReloadFavorites),
    C::Item("SearchDir", "整理收藏夹", &F::OrganizeFavorites),
    C::Separator(),
    C::Item("FavHuasheng", "华声论坛").With(&F::OpenInNewTab, kFavHuasheng),
    C::Item("Fav169mt", "美女模特网").With(&F::OpenInNewTab, kFav169mt),
    C::Item("Fav169bb", "伊秀网").With(&F::OpenInNewTab, kFav169bb),
    C::Item("Favumei", "宅男女神").With(&F::OpenInNewTab, kFavumei),
    C::Item("Fyixiuba", "性感丝袜美腿").With(&F::OpenInNewTab, kFyixiuba),
    C::Item("Baidu", "百度一下（）", &F::OpenKeywordSearch),
    C::Separator(),

    C::Menu("mTools", "工具(&T)"),
    C::Item("KillPop", "清除网页广告(P)", &F::BlockPopUps),
    C::Item("History", "网站访问历史(&H)", &F::ShowTodaysHistory),
    C::Item("PrintScreen", "网页截图(&P)", &F::SavePageScreenshot),
    C::Item("DownLoadFile", "下载网络文件(&D)", &F::ShowDownloadDialog),
    C::Item("Tlimit", "网站访问限制(&L)"),  // does nothing
    C::Separator(),
    C::Item("CloseScreen", "关闭屏幕", &F::TurnScreenOff),
    C::Item("LoadNotepad", "启动 记事本", &F::StartTextEditor),
    C::Item("LoadDraw", "启动 画图", &F::StartImageEditor),
    C::Separator(),
    C::Item("internet", "INTERNET 选项", &F::OpenNetworkSettings),
    C::Item("setnavigation", "设置默认浏览器"),  // does nothing
    C::Item("zhushouopt", "系统设置中心(&S)", &F::ShowOptions),

    C::Menu("mHelp", "帮助(&H)"),
    C::Item("mnuHelp", "帮助主题(&S)", &F::ShowHelp),
    C::Item("HomePage", "软件网站(&N)").With(&F::OpenInNewTab, kHomePageUrl),
    C::Item("ReDownload", "检查更新(&D）").With(&F::OpenInNewTab, kHomePageUrl),
    C::Item("lianxi", "联系作者(&E)", &F::WriteToAuthor),
    C::Separator(),
    C::Item("mnuHelpAbout", "关于(&A)", &F::ShowAbout),

    // Keys a browser's user reaches for that no menu item shows. 文件 › 退出 closes the
    // browser alone; the desktop's key for ending a program ends all of it.
    C::Key("Ctrl+Q", &F::QuitProgram),
    C::Key("Ctrl+L", &F::FocusAddress),
    C::Key("Ctrl+Tab", &F::NextTab),
    C::Key("Ctrl+Page_Down", &F::NextTab),
    C::Key("Ctrl+Shift+Tab", &F::PreviousTab),
    C::Key("Ctrl+Page_Up", &F::PreviousTab),
    C::Key("Ctrl+R", &F::RefreshPage),
    C::Key("Ctrl+plus", &F::ZoomPageIn),
    C::Key("Ctrl+equal", &F::ZoomPageIn),
    C::Key("Ctrl+KP_Add", &F::ZoomPageIn),
    C::Key("Ctrl+minus", &F::ZoomPageOut),
    C::Key("Ctrl+KP_Subtract", &F::ZoomPageOut),
    C::Key("Ctrl+0", &F::ResetPageZoom),
    C::Key("Alt+Left", &F::GoBack),
    C::Key("Alt+Right", &F::GoForward),
    C::Key("Alt+Home", &F::OpenDefaultHomePage),
};
// clang-format on

}  // namespace

void FormExplore::CreateCommands() {
  AddCommands(*this, kFrameCommands);
}

}  // namespace tv
