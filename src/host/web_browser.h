// SPDX-License-Identifier: GPL-3.0-or-later
// cWebBrowser: the host a page window wraps around its view to decide what the view may
// download and run. The switches build the download-control value that the view reads
// from its host; here the view is told the value directly (HtmlView::SetDownloadControl).
#pragma once

#include <cstdint>

namespace tv {

class Control;
class HtmlView;

// Download-control bits the view understands.
inline constexpr int32_t kDlImages = 0x10;
inline constexpr int32_t kDlVideos = 0x20;
inline constexpr int32_t kDlBgSounds = 0x40;
inline constexpr int32_t kDlNoScripts = 0x80;
inline constexpr int32_t kDlNoJava = 0x100;
inline constexpr int32_t kDlNoRunActiveX = 0x200;
inline constexpr int32_t kDlNoDownloadActiveX = 0x400;

class cWebBrowser {
 public:
  cWebBrowser();
  ~cWebBrowser();
  cWebBrowser(const cWebBrowser&) = delete;
  cWebBrowser& operator=(const cWebBrowser&) = delete;

  int32_t DownloadCtrlEX() const { return download_ctrl_; }
  void SetDownloadCtrlEX(int32_t new_flags);
  bool pvReleaseWBControl();
  // Places the view inside its container; lengths in pixels, as the container scales.
  void ResizeWeb(int x, int y, int cx, int cy, bool use_default);
  // Takes `nfrm` as the container and attaches to the view of `objWeb`.
  void INIAll(Control& nfrm, Control& objWeb);
  HtmlView* Webbrowser() const { return view_; }
  bool Attached() const { return attached_; }

  bool DL_Image() const { return image_; }
  void SetDL_Image(bool v) { SetSwitch(image_, v, true); }
  bool DL_BgSound() const { return bg_sound_; }
  void SetDL_BgSound(bool v) { SetSwitch(bg_sound_, v, true); }
  bool DL_Video() const { return video_; }
  void SetDL_Video(bool v) { SetSwitch(video_, v, true); }
  bool DL_Script() const { return script_; }
  void SetDL_Script(bool v) { SetSwitch(script_, v, true); }
  bool DL_ActiveX() const { return activex_; }
  void SetDL_ActiveX(bool v) { SetSwitch(activex_, v, true); }
  bool DL_JavaApplet() const { return java_applet_; }
  void SetDL_JavaApplet(bool v) { SetSwitch(java_applet_, v, true); }
  bool Dl_DlActiveX() const { return dl_activex_; }
  void SetDl_DlActiveX(bool v) { SetSwitch(dl_activex_, v, false); }

  // Scripts off again from the view's next load, without reloading what it shows: for a
  // navigation that has already begun.
  void BlockScriptsFromNextLoad();

  void Dl_EnableAll(bool all);
  // A missing argument counts as false.
  void Dl_BatchSet(bool image = false, bool script = false, bool bg_sound = false,
                   bool video = false, bool activex = false, bool java_applet = false,
                   bool dl_activex = false);

  // The value the seven switches give (0x70 all allowed, 0x780 nothing allowed).
  int32_t pvBuildFlags() const;

 private:
  void pvInitFlags();
  void pvAttachWBControl(Control& objWeb);
  void SetSwitch(bool& field, bool value, bool quiet_refresh);
  void Apply(bool quiet_refresh);

  HtmlView* view_ = nullptr;      // the hosted view
  Control* web_ = nullptr;        // its control, which ResizeWeb places
  Control* container_ = nullptr;  // the picture box that holds the view
  int32_t download_ctrl_ = 0x70;  // what the view reads
  bool image_ = true, bg_sound_ = true, video_ = true, script_ = true;
  bool activex_ = true, java_applet_ = true, dl_activex_ = true;
  bool attached_ = false;
};

}  // namespace tv
