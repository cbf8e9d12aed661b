// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/web_browser.h"

#include "host/html_view.h"
#include "platform/control.h"

namespace tv {

namespace {
constexpr int kTwipsPerPixel = 15;
}

cWebBrowser::cWebBrowser() {
  pvInitFlags();
}

cWebBrowser::~cWebBrowser() {
  pvReleaseWBControl();
}

void cWebBrowser::pvInitFlags() {
  attached_ = false;
  download_ctrl_ = 0x70;
  image_ = bg_sound_ = video_ = script_ = activex_ = java_applet_ = dl_activex_ = true;
}

int32_t cWebBrowser::pvBuildFlags() const {
  int32_t flags = dl_activex_ ? 0x70 : 0x470;
  if (!image_) flags ^= kDlImages;
  if (!bg_sound_) flags ^= kDlBgSounds;
  if (!video_) flags ^= kDlVideos;
  if (!script_) flags |= kDlNoScripts;
  if (!activex_) flags |= kDlNoRunActiveX;
  if (!java_applet_) flags |= kDlNoJava;
  return flags;
}

void cWebBrowser::SetDownloadCtrlEX(int32_t new_flags) {
  download_ctrl_ = new_flags;
  // The ambient property changed: the view reads it again.
  if (attached_ && view_) view_->SetDownloadControl(static_cast<uint32_t>(download_ctrl_));
}

void cWebBrowser::Apply(bool) {
  SetDownloadCtrlEX(pvBuildFlags());
  // Refresh "if expired": a page already shown is loaded again under the new switches;
  // a view that shows nothing yet takes them with its first page.
  if (attached_ && view_) {
    const std::string at = view_->LocationURL();
    if (!at.empty() && at != "about:blank") view_->Refresh();
  }
}

void cWebBrowser::SetSwitch(bool& field, bool value, bool quiet_refresh) {
  field = value;
  Apply(quiet_refresh);
}

void cWebBrowser::BlockScriptsFromNextLoad() {
  script_ = false;
  SetDownloadCtrlEX(pvBuildFlags());
}

void cWebBrowser::Dl_EnableAll(bool all) {
  image_ = bg_sound_ = video_ = script_ = activex_ = java_applet_ = dl_activex_ = all;
  Apply(false);
}

void cWebBrowser::Dl_BatchSet(bool image, bool script, bool bg_sound, bool video, bool activex,
                              bool java_applet, bool dl_activex) {
  image_ = image;
  script_ = script;
  bg_sound_ = bg_sound;
  video_ = video;
  activex_ = activex;
  java_applet_ = java_applet;
  dl_activex_ = dl_activex;
  Apply(false);
}

void cWebBrowser::INIAll(Control& nfrm, Control& objWeb) {
  container_ = &nfrm;
  pvAttachWBControl(objWeb);
}

void cWebBrowser::pvAttachWBControl(Control& objWeb) {
  web_ = &objWeb;
  view_ = objWeb.View();
  if (!view_) return;
  attached_ = true;
  // Both ambient properties changed: the view takes the host's value from now on.
  view_->SetDownloadControl(static_cast<uint32_t>(download_ctrl_));
}

void cWebBrowser::ResizeWeb(int x, int y, int cx, int cy, bool use_default) {
  if (!web_ || !container_) return;
  if (use_default) {
    web_->Move(container_->Left(), container_->Top(), container_->Width(), container_->Height());
  } else {
    web_->Move(container_->Left() + x * kTwipsPerPixel, container_->Top() + y * kTwipsPerPixel,
               cx * kTwipsPerPixel, cy * kTwipsPerPixel);
  }
}

bool cWebBrowser::pvReleaseWBControl() {
  // The view stays with its window; the host only lets go of it.
  attached_ = false;
  view_ = nullptr;
  web_ = nullptr;
  container_ = nullptr;
  return false;
}

}  // namespace tv
