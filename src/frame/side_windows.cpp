// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands that reach the history page, the favourites, the page source, the
// save-page and download window and the options dialog.
#include <algorithm>

#include "download/form_download.h"
#include "favorites/favorites_dialog.h"
#include "favorites/favorites_store.h"
#include "favorites/form_dfg.h"
#include "frame/form_explore.h"
#include "host/form_html.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "program/file_dialogs.h"
#include "settings/form_setup.h"
#include "text/utf8.h"
#include "webpics/form_web.h"
#include "webpics/history_log.h"

namespace tv {

namespace {

constexpr int kFavoriteItems = 101;                      // MyFavorites(0) to (100)
constexpr uint64_t kHistoryReadLimit = 8 * 1024 * 1024;  // far past 1000 lines of rows
constexpr size_t kCaptionSuffixCharacters = 14;          // " - Lumbra看图浏览器"
constexpr size_t kXhtmlSniffBytes = 256;                 // what the desktop reads to tell XHTML

// The first bytes of a file, at most `limit`; empty when it cannot be read.
std::string ReadHead(FileSystem& fs, const std::string& path, uint64_t limit) {
  auto file = fs.Open(path);
  if (!file) return "";
  std::string text(static_cast<size_t>(std::min(file->Length(), limit)), '\0');
  text.resize(file->ReadAt(0, text.data(), text.size()));
  return text;
}

}  // namespace

void FormExplore::WireSideWindows() {
  // Every item the favourites menu can show exists from the start, hidden until the list
  // fills it, so the menu of a shown frame can grow and shrink.
  Control* fav = FindControl("mFav");
  for (int i = 0; i < kFavoriteItems; ++i) {
    Control* item = FindControl("MyFavorites(" + std::to_string(i) + ")");
    if (!item) item = &AddMenu("MyFavorites", "", fav, i);
    item->SetVisible(false);
    item->LiteralCaption = true;  // a title shows as it is written
    item->Click = [this, i] { OpenFavorite(i); };
  }
}

void FormExplore::ShowTodaysHistory() {
  Platform& p = Services();
  const DateTime today = p.clock.Now();
  const std::string folder = p.paths.ProgramFolder() + "History/";
  const std::string rows = ReadHead(p.fs, folder + HistoryFileName(today), kHistoryReadLimit);
  // The desktop takes a file whose first 256 bytes name XHTML for XML, which the rows are
  // not: a comment line first keeps the page HTML. The page says it is gb2312; GB18030 is
  // read under that label and holds every character.
  std::string guard = "<!-- 网站访问历史 -->";
  guard.resize(kXhtmlSniffBytes, ' ');
  const std::string page = p.encoding.FromUtf8(guard + "\r\n" + HistoryPage(rows), "GB18030");
  const std::string path = folder + HistoryFileName(today, ".html");
  p.fs.WriteWhole(path, page);
  LoadNewForm(path);
}

void FormExplore::FillFavoritesMenu() {
  for (int i = 0; i < kFavoriteItems; ++i) {
    Control& item = *FindControl("MyFavorites(" + std::to_string(i) + ")");
    item.SetVisible(false);
    item.SetCaption("");
    item.Tag.clear();
  }
  std::string text;
  Platform& p = Services();
  if (!p.fs.ReadWhole(FavoritesPath(app_), text)) return;
  int number = 0;
  for (const std::string& line : FavoriteLines(text)) {
    // A line without a comma ends the menu there.
    if (line.find(',') == std::string::npos || number >= kFavoriteItems) break;
    const Favorite f = ParseFavorite(line);
    Control& item = *FindControl("MyFavorites(" + std::to_string(number) + ")");
    item.SetCaption(f.title);
    item.Tag = f.address;
    item.SetVisible(true);
    ++number;
  }
}

void FormExplore::ReloadFavorites() {
  FillFavoritesMenu();
}

void FormExplore::OpenFavorite(int index) {
  Control* item = FindControl("MyFavorites(" + std::to_string(index) + ")");
  if (!item || item->Tag.empty()) return;
  pictures_switch->SetValue(0);
  LoadNewForm(std::string(item->Tag));
}

void FormExplore::AddFavorite() {
  Platform& p = Services();
  p.fs.CreateFolder(FavoritesFolder(app_));
  auto& dialog = static_cast<Favorites&>(app_.Adopt(std::make_unique<Favorites>(app_, *this)));
  dialog.SetOwner(this);
  dialog.SetModal(true);
  dialog.Form_Load();
  if (FormWeb* page = b_.CurrentPage()) {
    dialog.txtUrl->SetText(page->Web->View()->LocationURL());
    dialog.txtTitle->SetText(page->Web->View()->Title());
  }
  dialog.Show();
}

void FormExplore::OrganizeFavorites() {
  auto& organiser = static_cast<FormDfg&>(app_.Adopt(std::make_unique<FormDfg>(app_, *this)));
  organiser.SetOwner(this);
  organiser.SetModal(true);
  organiser.Form_Load();
  organiser.Show();
  // The list takes no focus first: focusing it would choose its first entry unasked.
  organiser.SetFocus(*organiser.save_button);
}

void FormExplore::ShowPageSource() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  Control* label = tab_labels.Find(b_.TabOrder[b_.CurTab]);
  ShowSourceWindow(app_, page->Web->View()->DocumentHtml(), address_box->Text(),
                   label ? label->Text() : "");
}

void FormExplore::ShowSelectionSource() {
  FormWeb* page = ActiveChild();
  const std::string selection = page ? page->Web->View()->SelectionHtml() : "";
  FormWeb* current = b_.CurrentPage();
  Control* label = current ? tab_labels.Find(b_.TabOrder[b_.CurTab]) : nullptr;
  FormHtml& window =
      ShowSourceWindow(app_, selection, address_box->Text(), label ? label->Text() : "");
  window.SetCaption("源文件 - 选中区域");
}

void FormExplore::SavePageSource() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  // The caption without " - Lumbra看图浏览器"; a caption too short to hold it gives its
  // own text, and an empty one a fixed name, so the proposed file is never just ".txt".
  const size_t length = CharCount(Caption());
  std::string name = length > kCaptionSuffixCharacters
                         ? CharLeft(Caption(), length - kCaptionSuffixCharacters)
                         : Caption();
  const size_t first = name.find_first_not_of(' ');
  name = first == std::string::npos ? "源文件" : name.substr(first);
  Platform& p = Services();
  const std::string path = SaveFileDialog(app_, this, "保存源文件", name + ".txt", kFilterText);
  if (path.empty()) return;
  if (!p.fs.WriteAtomic(path, page->Web->View()->DocumentHtml() + "\r\n")) {
    p.dialogs.MsgBox(this, "源文件没有保存：" + path, MsgIcon::Exclamation, "保存源文件");
  }
}

void FormExplore::SavePageAs() {
  if (FindControl("EditPage")->Checked()) {
    SavePageSource();
    return;
  }
  FormWeb* page = ActiveChild();
  if (!page) return;
  auto& saver = static_cast<FormDownload&>(app_.Adopt(std::make_unique<FormDownload>(app_, *this)));
  saver.Realize();  // never shown, but its timer runs
  saver.Form_Load();
  Services().loop.DoEvents();
  saver.Web->View()->Navigate(page->Web->View()->LocationURL());
  saver.save_timer->SetTimerEnabled(true);
  saver.StartSavePage();
}

void FormExplore::ShowDownloadDialog() {
  auto& dialog =
      static_cast<FormDownload&>(app_.Adopt(std::make_unique<FormDownload>(app_, *this)));
  dialog.Form_Load();
  dialog.Show();
}

void FormExplore::ShowOptions() {
  ShowOptionsDialog(app_, this);
}

}  // namespace tv
