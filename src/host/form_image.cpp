// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/form_image.h"

#include <algorithm>
#include <limits>

#include "host/html_view.h"
#include "program/application.h"
#include "program/file_dialogs.h"
#include "reduced_pictures/picture_requests.h"
#include "reduced_pictures/picture_size.h"
#include "text/text_util.h"

namespace tv {

namespace {

constexpr const char* kCaption = "图片详情";

bool IsWebAddress(const std::string& address) {
  const std::string lower = AsciiLower(address.substr(0, 8));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

}  // namespace

std::string DetailPageText(const std::string& picture) {
  // A picture larger than the window is fitted to it; a click on it shows it at its own
  // size (the second copy, linked to the other place on the page), another fits it again.
  const std::string src = HtmlEscape(picture);
  // A local picture may reach the view reduced to the window; its own-size copy is whole.
  const bool local =
      AsciiLower(picture.substr(0, 5)) == "file:" && picture.find('?') == std::string::npos;
  const std::string whole = local ? src + "?" + reduced::kWholePictureQuery : src;
  return "<style>p{margin:0}.own{display:none}#own:target .fit{display:none}"
         "#own:target .own{display:inline}"
         ".fit img{max-width:calc(100vw - 2px);max-height:calc(100vh - 2px);cursor:zoom-in}"
         ".own img{cursor:zoom-out}</style>\r\n"
         "<body bgcolor=0>\r\n"
         "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
         "rightmargin=0 bottommargin=0>\r\n"
         "<div align=center>\r\n"
         "<p id=own><a class=fit href=\"#own\"><img border=\"1\" src=\"" +
         src + "\" title=图像 ></a><a class=own href=\"#\"><img border=\"1\" src=\"" + whole +
         "\" title=图像 ></a></p> \r\n\r\n"
         "</div>\r\n"
         "</body>\r\n";
}

FormImage::FormImage(Application& app) : Form(app.Services(), "FormImage"), app_(app) {
  SetCaption(kCaption);
  page_view = &Add(ControlKind::View, "Web");
  CreateCommands();
  for (int i = 0; i < 6; ++i) buttons[i].Move(120 + i * 1320, 0, 1200, 420);
  focus_holder = &Add(ControlKind::ComboBox, "Cmb");
  focus_holder->Move(-2000, 0, 1200, 330);
  focus_holder->KeyDown = [this](int key, int) { ScrollByArrowKey(key); };
  page_view->View()->events.DownloadComplete = [this] { PictureLoaded(); };
  Resize(12000, 9000);
}

void FormImage::Form_Load() {
  position = 1;
}

void FormImage::Form_Resize() {
  page_view->Move(50, 50, std::max(ScaleWidth() - 100, 0), std::max(ScaleHeight() - 650, 0));
  for (auto& [i, c] : buttons.Members()) c->SetTop(ScaleHeight() - 550);
}

void FormImage::Form_Unload() {
  if (page_file.empty()) return;
  FileSystem& fs = Services().fs;
  fs.SetAttributes(page_file, 0);
  fs.Delete(page_file);
}

void FormImage::ShowPicture(const std::string& pict) {
  // Only a picture the program can show: a script or the gallery page itself is no picture.
  if (!IsPictureAddress(pict)) return;
  page_file = Services().paths.PageFile(kDetailPage);
  picture = pict;
  FileSystem& fs = Services().fs;
  fs.SetAttributes(page_file, 0);
  fs.WriteWhole(page_file, DetailPageText(pict));
  fs.SetAttributes(page_file, kAttrHidden | kAttrSystem);
  Services().loop.DoEvents();
  page_view->View()->SetPictureWidths(FittedWidths(pict));
  page_view->View()->Navigate(page_file);
}

std::vector<std::pair<std::string, int>> FormImage::FittedWidths(const std::string& pict) {
  // A local picture larger than the view is handed over no wider than it shows fitted:
  // a camera photo would otherwise be decoded whole before it is shown.
  if (AsciiLower(pict.substr(0, 7)) != "file://") return {};
  const std::string path = PathFromStatusText(pict);
  const PictureSize size = GetPictureSize(Services().fs, path);
  const int room_w = page_view->Width() / 15 - 2, room_h = page_view->Height() / 15 - 2;
  if (size.width <= 0 || size.height <= 0 || room_w <= 0 || room_h <= 0) return {};
  const long by_height = static_cast<long>(room_h) * size.width / size.height;
  const int width = static_cast<int>(std::min<long>({size.width, room_w, std::max(1L, by_height)}));
  if (width >= size.width) return {};
  return {{path, width}};
}

void FormImage::ApplyZoom(int16_t percent) {
  // The fitted size is kept in pixels first, so the zoom scales the picture as shown
  // rather than a picture that keeps fitting the window.
  page_view->View()->ExecScript(
      "(function(){var i=document.querySelector('.fit img');"
      "if(i&&i.offsetWidth&&!i.style.width){i.style.width=i.offsetWidth+'px';"
      "i.style.height=i.offsetHeight+'px';i.style.maxWidth=i.style.maxHeight='none';}})()",
      "JScript");
  page_view->View()->ExecScript("document.body.style.zoom='" + std::to_string(percent) + "%'",
                                "JScript");
}

void FormImage::PictureLoaded() {
  zoom = 100;
  SetCaption(std::string(kCaption) + " - " + picture);
  SetFocus(*focus_holder);
}

void FormImage::ShowPosition() {
  const WebPictureList& list = app_.State().web_pictures;
  // An empty list, or a place past what was stored, shows nothing new.
  if (position < 0 || position >= list.count ||
      position >= static_cast<int32_t>(list.entries.size()))
    return;
  ShowPicture(list.entries[static_cast<size_t>(position)]);
}

namespace {

// The name a picture's address suggests: its last part without query or fragment.
std::string SuggestedPictureName(const std::string& address) {
  std::string path = address.substr(0, address.find_first_of("?#"));
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos) path = path.substr(slash + 1);
  return path.empty() || path == "." || path == ".." ? "图片.jpg" : path;
}

}  // namespace

void FormImage::SavePicture() {
  if (!IsPictureAddress(picture)) return;
  // The shared save dialog: it starts where the user saved last, not in the folder the
  // program was started from.
  const std::string path =
      SaveFileDialog(app_, this, "图片另存为", SuggestedPictureName(picture), kFilterPictures);
  if (!path.empty()) Services().shell.DownloadFile(picture, path, true);
}

void FormImage::StepZoom(int by) {
  // A zoom past the percentage's range is refused, as an overflow would be.
  const int next = zoom + by;
  if (next >= std::numeric_limits<int16_t>::min() && next <= std::numeric_limits<int16_t>::max()) {
    zoom = static_cast<int16_t>(next);
    ApplyZoom(zoom);
  }
  Refocus();
}

void FormImage::Refocus() {
  Services().loop.DoEvents();
  SetFocus(*focus_holder);
}

void FormImage::SaveShownPicture() {
  SavePicture();
  Refocus();
}

void FormImage::PreviousPicture() {
  if (--position < 0) position = app_.State().web_pictures.count - 1;
  ShowPosition();
  Refocus();
}

void FormImage::NextPicture() {
  if (++position > app_.State().web_pictures.count - 1) position = 0;
  ShowPosition();
  Refocus();
}

void FormImage::OpenPictureAddress() {
  // 取消 (an empty answer) opens nothing. Only a web address is handed on: a page cannot
  // make the desktop open a local file.
  if (!Services()
           .dialogs.InputBox(this, "图片网址如下，是否立即打开网址？", "网址", picture)
           .empty() &&
      IsWebAddress(picture)) {
    Services().shell.Open(picture);
  }
  Refocus();
}

void FormImage::ZoomIn() {
  StepZoom(10);
}

void FormImage::ZoomOut() {
  StepZoom(-10);
}

void FormImage::Close() {
  RequestClose();
}

void FormImage::ScrollByArrowKey(int key_code) {
  ScrollForArrowKey(*page_view->View(), key_code);
}

std::optional<std::string> FormImage::StateField(const std::string& field) const {
  if (field == "position") return std::to_string(position);
  if (field == "zoom") return std::to_string(zoom);
  if (field == "picture") return picture;
  return Form::StateField(field);
}

FormImage& ShowDetailWindow(Application& app, const std::string& picture) {
  auto* window = dynamic_cast<FormImage*>(app.FindWindow("FormImage"));
  if (!window) {
    window = static_cast<FormImage*>(&app.Adopt(std::make_unique<FormImage>(app)));
    window->Form_Load();
  }
  // Stepping goes on from the picture clicked.
  const WebPictureList& list = app.State().web_pictures;
  const auto end = list.entries.begin() +
                   std::clamp<int32_t>(list.count, 0, static_cast<int32_t>(list.entries.size()));
  if (auto at = std::find(list.entries.begin(), end, picture); at != end) {
    window->position = static_cast<int32_t>(at - list.entries.begin());
  }
  window->ShowPicture(picture);
  window->Show();
  return *window;
}

}  // namespace tv
