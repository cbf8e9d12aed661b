#include "host/form_image.h"

#include <algorithm>
#include <limits>

#include "app/application.h"
#include "app/text_util.h"
#include "host/html_view.h"
#include "webpics/web_pictures.h"

namespace tv {

namespace {

constexpr const char* kCaption = "图片详情";

bool IsWebAddress(const std::string& address) {
  const std::string lower = AsciiLower(address.substr(0, 8));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

}  // namespace

std::string DetailPageText(const std::string& picture) {
  return "<body bgcolor=0>\r\n"
         "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
         "rightmargin=0 bottommargin=0>\r\n"
         "<div align=center>\r\n"
         "<p><img border=\"1\" src=\"" +
         HtmlEscape(picture) +
         "\" title=图像 ></p> \r\n\r\n"
         "</div>\r\n"
         "</body>\r\n";
}

FormImage::FormImage(Application& app) : Form(app.Services(), "FormImage"), app_(app) {
  SetCaption(kCaption);
  Web = &Add(ControlKind::View, "Web");
  static const char* const kCaptions[] = {"保存(&S)", "上一幅(&U)", "下一幅(&N)",
                                          "网址(&H)", "放大(&B)",   "缩小(&M)"};
  for (int i = 0; i < 6; ++i) {
    Control& c = Add(Cmd, ControlKind::Button, "Cmd", i);
    c.SetCaption(kCaptions[i]);
    c.Move(120 + i * 1320, 0, 1200, 420);
    c.Click = [this, i] { Cmd_Click(i); };
  }
  Cmb = &Add(ControlKind::ComboBox, "Cmb");
  Cmb->Move(-2000, 0, 1200, 330);
  Cmb->KeyDown = [this](int key, int) { Cmb_KeyDown(key); };
  Web->View()->events.DownloadComplete = [this] { Web_DownloadComplete(); };
  Resize(12000, 9000);
}

void FormImage::Form_Load() {
  position = 1;
}

void FormImage::Form_Resize() {
  Web->Move(50, 50, std::max(ScaleWidth() - 100, 0), std::max(ScaleHeight() - 650, 0));
  for (auto& [i, c] : Cmd.Members()) c->SetTop(ScaleHeight() - 550);
}

void FormImage::Form_Unload() {
  if (page_file.empty()) return;
  FileSystem& fs = Services().fs;
  fs.SetAttributes(page_file, 0);
  fs.Delete(page_file);
}

void FormImage::LoadImg(const std::string& pict) {
  // Only a picture the program can show: a script or the gallery page itself is no picture.
  if (!IsPictureAddress(pict)) return;
  page_file = Services().paths.PageFile(kDetailPage);
  picture = pict;
  FileSystem& fs = Services().fs;
  fs.SetAttributes(page_file, 0);
  fs.WriteWhole(page_file, DetailPageText(pict));
  fs.SetAttributes(page_file, kAttrHidden | kAttrSystem);
  Services().loop.DoEvents();
  Web->View()->Navigate(page_file);
}

void FormImage::ZOOMIE(int16_t percent) {
  Web->View()->ExecScript("document.body.style.zoom='" + std::to_string(percent) + "%'", "JScript");
}

void FormImage::Web_DownloadComplete() {
  zoom = 100;
  SetCaption(std::string(kCaption) + " - " + picture);
  SetFocus(*Cmb);
}

void FormImage::ShowPosition() {
  const WebPictureList& list = app_.State().web_pictures;
  // An empty list, or a place past what was stored, shows nothing new.
  if (position < 0 || position >= list.count ||
      position >= static_cast<int32_t>(list.entries.size()))
    return;
  LoadImg(list.entries[static_cast<size_t>(position)]);
}

void FormImage::Cmd_Click(int index) {
  const int32_t count = app_.State().web_pictures.count;
  // A zoom past the percentage's range is refused, as an overflow would be.
  const auto step_zoom = [this](int by) {
    const int next = zoom + by;
    if (next < std::numeric_limits<int16_t>::min() || next > std::numeric_limits<int16_t>::max())
      return;
    zoom = static_cast<int16_t>(next);
    ZOOMIE(zoom);
  };
  switch (index) {
    case 0:
      if (IsPictureAddress(picture)) Services().shell.DownloadFile(picture);
      break;
    case 1:
      if (--position < 0) position = count - 1;
      ShowPosition();
      break;
    case 2:
      if (++position > count - 1) position = 0;
      ShowPosition();
      break;
    case 3:
      Services().dialogs.InputBox(this, "图片网址如下，是否立即打开网址？", "网址", picture);
      // Only a web address is handed on: a page cannot make the desktop open a local file.
      if (IsWebAddress(picture)) Services().shell.Open(picture);
      break;
    case 4:
      step_zoom(10);
      break;
    case 5:
      step_zoom(-10);
      break;
    default:
      break;
  }
  Services().loop.DoEvents();
  SetFocus(*Cmb);
}

void FormImage::Cmb_KeyDown(int key_code) {
  if (key_code == 38) Web->View()->ScrollBy(0, -100);
  if (key_code == 40) Web->View()->ScrollBy(0, 100);
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
  window->LoadImg(picture);
  window->Show();
  return *window;
}

}  // namespace tv
