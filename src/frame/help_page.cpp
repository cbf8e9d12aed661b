// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/help_page.h"

#include "text/text_util.h"

namespace tv {

namespace {

constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Lumbra看图浏览器 帮助</title>
<style>body{font-family:sans-serif;max-width:60em;margin:1em auto;line-height:1.5}h2{border-bottom:1px solid #ccc}td{padding:2px 8px;vertical-align:top}code{background:#eee}</style>
</head><body>
<h1>Lumbra看图浏览器 帮助</h1>
<h2>本地看图</h2>
<p>程序启动后显示本地图片库：左侧选择磁盘和文件夹，右侧按页显示文件夹中的图片缩略图（bmp、jpg、jpeg、gif、png、tif、tiff）。工具栏可以翻页、放大缩小、改变排列和背景颜色、自动滚动、搜索整个文件夹树、保存整页截图。在图片上单击右键可以打开、复制、删除、编辑、定位图片或查看属性。</p>
<h2>看图浏览器</h2>
<p>在图片库中打开“看图浏览器”。每个网页占一个选项卡：双击选项卡关闭它，右击选项卡弹出“查看”菜单，双击顶部空白处新建选项卡。地址栏里可以输入网址，也可以直接输入关键词搜索。</p>
<table>
<tr><td>后退 / 前进</td><td>当前网页的浏览历史</td></tr>
<tr><td>页面刷新</td><td>重新载入网页；显示网页图片时重新查找图片</td></tr>
<tr><td>首页</td><td>在新选项卡中打开默认首页</td></tr>
<tr><td>网站访问历史</td><td>显示当天访问过的网页</td></tr>
<tr><td>恢复关闭的网页</td><td>重新打开最近关闭的网页</td></tr>
<tr><td>关闭当前网页</td><td>关闭当前选项卡</td></tr>
<tr><td>查看源文件</td><td>在单独的窗口中显示网页源文件</td></tr>
<tr><td>至页面顶部 / 至页面底部</td><td>第一次按下开始缓慢滚动，再按一次停止并跳到页面顶部或底部，按另一个按钮改变方向</td></tr>
<tr><td>查看网页图片（大图）</td><td>把网页中的大图片集中显示为图片库，单击图片打开详细窗口</td></tr>
<tr><td>屏幕拉伸 / 图像矩形方阵</td><td>改变网页图片库的排列</td></tr>
<tr><td>图像背景颜色</td><td>依次更换网页图片库的背景颜色</td></tr>
<tr><td>手动下载图片</td><td>把当前网页的大图片保存到下载目录</td></tr>
<tr><td>图片下载目录</td><td>在文件管理器中打开下载目录</td></tr>
</table>
<p>菜单“文件”可以打开新窗口和本地网页、保存网页或源文件、网页截图、页面设置、打印预览和打印；“编辑”可以复制、剪切、粘贴、全选、查找、进入网页编辑模式和查看页面属性；“查看”管理选项卡、复制网站标题或地址、刷新和停止；“收藏夹”添加和整理收藏的网址；“工具”清除网页广告、网页截图、下载网络文件和打开系统设置。桌面没有提供的服务（拨号、网络设置、记事本、画图）会用提示说明。</p>
<h2>文件位置</h2>
<table>
)";

constexpr const char* kTail = R"(</table>
</body></html>
)";

std::string Row(const char* what, const std::string& path) {
  return "<tr><td>" + std::string(what) + "</td><td><code>" + HtmlEscape(path) +
         "</code></td></tr>\n";
}

}  // namespace

std::string HelpPageText(const std::string& program_folder, const std::string& download_folder) {
  std::string page = kHead;
  page += Row("程序文件夹", program_folder);
  page += Row("下载的图片", download_folder);
  page += Row("访问历史", program_folder + "History/");
  page += Row("收藏夹", program_folder + "Fav.rar");
  page += kTail;
  return page;
}

}  // namespace tv
