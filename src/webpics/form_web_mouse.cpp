// SPDX-License-Identifier: GPL-3.0-or-later
// The page window and the mouse: a middle or Ctrl click opens a link in a tab behind the
// current one, and a right-click offers what fits the link, picture or selection it hit.
#include <functional>
#include <vector>

#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "host/form_image.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "text/text_util.h"
#include "webpics/form_web.h"
#include "webpics/page_menu.h"

namespace tv {

namespace {

struct MenuItem {
  const char* name;
  const char* caption;
};

// In groups: the link, the picture, the selection, the page itself.
constexpr MenuItem kLinkItems[] = {{"WebOpenLink", "在新标签页中打开链接"},
                                   {"WebCopyLink", "复制链接地址"}};
constexpr MenuItem kPictureItems[] = {{"WebOpenPicture", "在新标签页中打开图片"},
                                      {"WebCopyPicture", "复制图片地址"},
                                      {"WebSavePicture", "保存图片"},
                                      {"WebShowPicture", "在图片窗口中查看"}};
constexpr MenuItem kSelectionItems[] = {{"WebCopy", "复制"}};
constexpr MenuItem kPageItems[] = {
    {"WebBack", "后退"}, {"WebForward", "前进"}, {"WebReload", "刷新"}};

bool FromImageSearch(const std::string& address) {
  return address.rfind(kImageSearchRoot1, 0) == 0 || address.rfind(kImageSearchRoot2, 0) == 0;
}

}  // namespace

void FormWeb::CreateWebMenu() {
  WebMenu = &AddMenu("WebMenu", "");
  WebMenu->SetVisible(false);  // a pop-up only, never in a menu bar
  auto group = [this](const auto& items) {
    for (const MenuItem& i : items) AddMenu(i.name, i.caption, WebMenu);
  };
  group(kLinkItems);
  AddSeparator(*WebMenu);
  group(kPictureItems);
  AddSeparator(*WebMenu);
  group(kSelectionItems);
  AddSeparator(*WebMenu);
  group(kPageItems);

  auto on = [this](const char* name, std::function<void()> run) {
    FindControl(name)->Click = std::move(run);
  };
  on("WebOpenLink", [this] { OpenBehind(menu_target_.link); });
  on("WebCopyLink", [this] { Services().clipboard.SetText(menu_target_.link); });
  on("WebOpenPicture", [this] { OpenBehind(menu_target_.picture); });
  on("WebCopyPicture", [this] { Services().clipboard.SetText(menu_target_.picture); });
  on("WebSavePicture", [this] { SaveMenuPicture(); });
  on("WebShowPicture", [this] {
    if (IsPictureAddress(menu_target_.picture)) ShowDetailWindow(app_, menu_target_.picture);
  });
  on("WebCopy", [this] {
    HtmlView& view = menu_on_gallery_ ? *Gallery().View() : *Web->View();
    view.ExecWB(kCmdCopy, kOptDefault);
  });
  on("WebBack", [this] { frame_.CmdPage_Click(0); });
  on("WebForward", [this] { frame_.CmdPage_Click(1); });
  on("WebReload", [this] { frame_.Command2_Click(); });
}

HtmlView& FormWeb::ShownView() {
  return *(frame_.Chk->Value() != 0 ? Gallery() : *Web).View();
}

void FormWeb::Web_LinkClick(const std::string& address, int button, int shift, bool& handled) {
  if (!OpensBehind(button, shift)) return;
  // Never followed here, whatever the address: a javascript: link does nothing at all.
  handled = true;
  OpenBehind(address);
}

void FormWeb::OpenBehind(const std::string& address) {
  const std::string page = Web->View()->LocationURL();
  if (!OpensInTab(address, page)) return;
  // As for a window the page opens: the image-search sites need their scripts.
  const bool image_search = FromImageSearch(page);
  if (image_search) b_.Pop = 0;
  frame_.OpenBehind(address);
  if (image_search) b_.Pop = 1;
}

void FormWeb::Web_RightClick() {
  HtmlView& view = ShownView();
  menu_on_gallery_ = &view != Web->View();
  menu_target_ = view.PointerTargetNow();
  const PageMenu m = DecidePageMenu(menu_target_, Web->View()->LocationURL());
  auto show = [this](const auto& items, bool visible, bool enabled) {
    for (const MenuItem& i : items) {
      Control& c = *FindControl(i.name);
      c.SetVisible(visible);
      c.SetEnabled(enabled);
    }
  };
  show(kLinkItems, m.link, true);
  FindControl("WebOpenLink")->SetEnabled(m.open_link);
  show(kPictureItems, m.picture, m.keep_picture);
  FindControl("WebOpenPicture")->SetEnabled(m.open_picture);
  FindControl("WebCopyPicture")->SetEnabled(true);
  show(kSelectionItems, m.selection, true);
  show(kPageItems, m.navigation, true);
  FindControl("WebBack")->SetEnabled(back_enabled_);
  FindControl("WebForward")->SetEnabled(forward_enabled_);
  // One line between two shown groups.
  const bool groups[] = {m.link, m.picture, m.selection, m.navigation};
  int g = 0;
  for (Control* c : WebMenu->Children()) {
    if (c->Kind() != ControlKind::Separator) continue;
    bool later = false;
    for (int k = g + 1; k < 4; ++k) later = later || groups[k];
    c->SetVisible(groups[g] && later);
    ++g;
  }
  PopupMenu(*WebMenu);
}

void FormWeb::SaveMenuPicture() {
  PictureSaving& s = state_.picture_saving;
  if (!IsPictureAddress(menu_target_.picture)) return;
  if (saving_ || s.running) {
    Lab[0].SetCaption("正在保存图片，请稍后再试");
    return;
  }
  HtmlView& view = menu_on_gallery_ ? *Gallery().View() : *Web->View();
  // The picture as the page holds it, at its own size, whatever size it is shown at.
  PagePicture picture;
  picture.address = menu_target_.picture;
  picture.large = true;
  const std::vector<HtmlElement> elements = view.All();
  for (size_t i = 0; i < elements.size(); ++i) {
    const HtmlElement& e = elements[i];
    if (e.tag_name != "IMG" || (e.shown_src != picture.address && e.src != picture.address)) {
      continue;
    }
    picture.element = static_cast<int>(i);
    picture.shown_width = e.width;
    picture.shown_height = e.height;
    picture.own_width = e.natural_width;
    picture.own_height = e.natural_height;
    picture.loaded = e.loaded;
    break;
  }
  const std::string folder = SaveFolder(DownloadFolder());
  // Asked for by hand: a folder that refused a file earlier is said again.
  s.told_refused.clear();
  s.running = saving_ = true;
  Platform& p = Services();
  s.saved.Use(p.fs, folder);
  if (!view.HeldPicture(picture.address)) view.FetchPictures({picture.address});
  const std::optional<PictureSave> result = SaveOne(view, picture, folder, 0, true);
  saving_ = s.running = false;
  if (close_requested_) {
    AfterStoppedSave();
    return;
  }
  if (!result) return;  // said in a message
  if (*result == PictureSave::kWritten) {
    ++saved_count_;
    Lab[0].SetCaption("图片已保存到下载目录");
  } else if (*result == PictureSave::kAlreadySaved) {
    Lab[0].SetCaption("下载目录里已有这张图片");
  } else {
    Lab[0].SetCaption("这张图片无法保存");
  }
}

}  // namespace tv
