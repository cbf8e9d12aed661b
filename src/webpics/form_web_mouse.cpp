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
#include "webpics/page_pictures.h"

namespace tv {

namespace {

// The right-click menu's items in groups: the link, the picture, the selection, the page.
constexpr const char* kLinkItems[] = {"WebOpenLink", "WebCopyLink"};
constexpr const char* kPictureItems[] = {"WebOpenPicture", "WebCopyPicture", "WebSavePicture",
                                         "WebShowPicture"};
constexpr const char* kSelectionItems[] = {"WebCopy"};
constexpr const char* kPageItems[] = {"WebBack", "WebForward", "WebReload"};

bool FromImageSearch(const std::string& address) {
  return address.rfind(kImageSearchRoot1, 0) == 0 || address.rfind(kImageSearchRoot2, 0) == 0;
}

}  // namespace

void FormWeb::OpenLinkBehind() {
  OpenBehind(menu_target_.link);
}

void FormWeb::CopyLinkAddress() {
  Services().clipboard.SetText(menu_target_.link);
}

void FormWeb::OpenPictureBehind() {
  OpenBehind(menu_target_.picture);
}

void FormWeb::CopyPictureAddress() {
  Services().clipboard.SetText(menu_target_.picture);
}

void FormWeb::ShowMenuPicture() {
  if (IsPictureAddress(menu_target_.picture)) ShowDetailWindow(app_, menu_target_.picture);
}

void FormWeb::CopyMenuSelection() {
  HtmlView& view = menu_on_gallery_ ? *Gallery().View() : *Web->View();
  view.ExecWB(kCmdCopy, kOptDefault);
}

void FormWeb::GoBack() {
  frame_.GoBackOrForward(0);
}

void FormWeb::GoForward() {
  frame_.GoBackOrForward(1);
}

void FormWeb::RefreshOrRescan() {
  frame_.RefreshOrRescan();
}

HtmlView& FormWeb::ShownView() {
  return *(frame_.pictures_switch->Value() != 0 ? Gallery() : *Web).View();
}

void FormWeb::FollowLinkClick(const std::string& address, int button, int shift, bool& handled) {
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

void FormWeb::ShowPageMenu() {
  HtmlView& view = ShownView();
  menu_on_gallery_ = &view != Web->View();
  menu_target_ = view.PointerTargetNow();
  const PageMenu m = DecidePageMenu(menu_target_, Web->View()->LocationURL());
  auto show = [this](const auto& items, bool visible, bool enabled) {
    for (const char* name : items) {
      Control& c = *FindControl(name);
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
  for (Control* c : page_menu->Children()) {
    if (c->Kind() != ControlKind::Separator) continue;
    bool later = false;
    for (int k = g + 1; k < 4; ++k) later = later || groups[k];
    c->SetVisible(groups[g] && later);
    ++g;
  }
  PopupMenu(*page_menu);
}

void FormWeb::SaveMenuPicture() {
  PictureSaving& s = state_.picture_saving;
  if (!IsPictureAddress(menu_target_.picture)) return;
  if (saving_ || s.running) {
    status[0].SetCaption("正在保存图片，请稍后再试");
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
    if (e.tag_name == "IMG" && (e.shown_src == picture.address || e.src == picture.address)) {
      picture = PictureShownBy(e, static_cast<int>(i), picture.address);
      break;
    }
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
    status[0].SetCaption("图片已保存到下载目录");
  } else if (*result == PictureSave::kAlreadySaved) {
    status[0].SetCaption("下载目录里已有这张图片");
  } else {
    status[0].SetCaption("这张图片无法保存");
  }
}

}  // namespace tv
