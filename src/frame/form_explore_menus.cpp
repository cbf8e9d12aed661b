// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menus, in their order, with their captions and shortcuts.
#include "frame/form_explore.h"

namespace tv {

namespace {

struct Item {
  const char* name;
  const char* caption;
  const char* shortcut;
};

}  // namespace

void FormExplore::CreateMenus() {
  auto menu = [this](const char* name, const char* caption, std::initializer_list<Item> items) {
    Control& m = AddMenu(name, caption);
    for (const Item& i : items) {
      if (!i.name) {
        AddSeparator(m);
        continue;
      }
      Control& item = AddMenu(i.name, i.caption, &m);
      if (i.shortcut) item.Shortcut = i.shortcut;
    }
    return &m;
  };
  const Item sep = {nullptr, nullptr, nullptr};
  menu("mFile", "文件(&F)",
       {{"LoadMe", "开启新窗口(&N)", "Ctrl+N"},
        {"build", "新建选项卡", "Ctrl+T"},
        {"mnuFileOpen", "打开本地文件(&O)...", nullptr},
        sep,
        {"mnuFileSaveAs", "保存 网页(&A)", "Ctrl+S"},
        {"mnuFileSave", "保存 源文件(&M)", nullptr},
        {"DownloadImg", "全部图片 另存为(&D)", nullptr},
        {"PrintScreen2", "网页截图 另存为(&P)", nullptr},
        sep,
        {"printset", "页面设置", nullptr},
        {"closecd", "打印预览(&G)", nullptr},
        {"Print", "打印(&P)", "Ctrl+P"},
        sep,
        {"Femail", "电子邮件", nullptr},
        {"FmyPC", "我的电脑", nullptr},
        {"bohao", "拨号上网(&N)", nullptr},
        {"offnet", "脱机工作(&T)", nullptr},
        sep,
        {"mnuFileExit", "退出(&X)", nullptr}});
  menu("mEdit", "编辑(&E)",
       {{"cancel", "撤消关闭窗口", nullptr},
        {"CloseMyie", "关闭当前网页", "Ctrl+W"},
        sep,
        {"mnuEditCopy", "复制(&C)", nullptr},
        {"shan", "剪切(&T)", nullptr},
        {"chakan", "粘贴(&P)", nullptr},
        sep,
        {"EditPage", "网页编辑模式", nullptr},
        {"Attrib", "页面属性", nullptr},
        {"mnuViewRefresh", "全选(&A)", nullptr},
        {"mnuViewOptions", "查找(&F)", "Ctrl+F"}});
  PageLabel = menu("PageLabel", "查看(&V)",
                   {{"closeme", "关闭选项卡(鼠标双击)", nullptr},
                    {"build2", "新建选项卡", "Ctrl+T"},
                    {"EnablePlayFilmMusic", "允许播放电影/音乐", nullptr},
                    sep,
                    {"pageup", "至页面顶部", nullptr},
                    {"pagedown", "至页面底部", nullptr},
                    sep,
                    {"mnuCloseOther", "关闭其他窗口", nullptr},
                    {"mnuFileClose", "关闭全部窗口", nullptr},
                    {"closeleft", "关闭左侧窗口", nullptr},
                    {"closeright", "关闭右侧窗口", nullptr},
                    sep,
                    {"fuzhi", "复制网站标题", nullptr},
                    {"address", "复制网站地址", nullptr},
                    {"Page", "复制", nullptr},
                    sep,
                    {"shuaxin", "刷新(&R)", "F5"},
                    {"AllResuha", "全部刷新", nullptr},
                    {"Tingzhi", "停止(&S)", "Escape"},
                    sep,
                    {"yuan", "源文件", nullptr},
                    {"yuanBu", "选中区域的源文件", nullptr},
                    {"OpenUrlStyle", "其他浏览器查看方式", nullptr},
                    {"ShowMe", "全屏显示", "F11"}});
  Control* fav = menu("mFav", "收藏夹(&S)",
                      {{"addhome", "添加到收藏夹", nullptr},
                       {"RelaodDir", "刷新收藏夹", nullptr},
                       {"SearchDir", "整理收藏夹", nullptr},
                       sep,
                       {"FavHuasheng", "华声论坛", nullptr},
                       {"Fav169mt", "美女模特网", nullptr},
                       {"Fav169bb", "伊秀网", nullptr},
                       {"Favumei", "宅男女神", nullptr},
                       {"Fyixiuba", "性感丝袜美腿", nullptr},
                       {"Baidu", "百度一下（）", nullptr},
                       sep});
  // Item 0 of the favourites is part of the design; the list fills the others.
  Control& first = AddMenu("MyFavorites", "", fav, 0);
  first.SetVisible(false);
  menu("mTools", "工具(&T)",
       {{"KillPop", "清除网页广告(P)", nullptr},
        {"History", "网站访问历史(&H)", nullptr},
        {"PrintScreen", "网页截图(&P)", nullptr},
        {"DownLoadFile", "下载网络文件(&D)", nullptr},
        {"Tlimit", "网站访问限制(&L)", nullptr},
        sep,
        {"CloseScreen", "关闭屏幕", nullptr},
        {"LoadNotepad", "启动 记事本", nullptr},
        {"LoadDraw", "启动 画图", nullptr},
        sep,
        {"internet", "INTERNET 选项", nullptr},
        {"setnavigation", "设置默认浏览器", nullptr},
        {"zhushouopt", "系统设置中心(&S)", nullptr}});
  menu("mHelp", "帮助(&H)",
       {{"mnuHelp", "帮助主题(&S)", nullptr},
        {"HomePage", "软件网站(&N)", nullptr},
        {"ReDownload", "检查更新(&D）", nullptr},
        {"lianxi", "联系作者(&E)", nullptr},
        sep,
        {"mnuHelpAbout", "关于(&A)", nullptr}});
}

}  // namespace tv
