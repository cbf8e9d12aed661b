// SPDX-License-Identifier: GPL-3.0-or-later
// The headless front-end: windows that draw nothing, dialogs answered from the script,
// and a shell and clipboard that report what they were asked.
#include <memory>

#include "platform/control.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "platform/front_end.h"
#include "platform/headless/headless_loop.h"
#include "platform/headless/headless_view.h"
#include "reduced_pictures/picture_size.h"

namespace tv {

namespace {

// The top-level window shown last is in front, as a window manager would have it; null
// when it was hidden again, which leaves the others in front.
const Form* g_front = nullptr;

class HeadlessWindow : public NativeWindow {
 public:
  HeadlessWindow(Form& form, ScriptHooks& hooks) : form_(form), hooks_(hooks) {}
  ~HeadlessWindow() override {
    if (g_front == &form_) g_front = nullptr;
  }
  void ControlAdded(Control&) override {}
  void ControlChanged(Control&, Prop) override {}
  void CaptionChanged() override {}
  void VisibilityChanged() override {
    if (form_.ParentForm()) return;
    if (form_.IsVisible()) {
      g_front = &form_;
    } else if (g_front == &form_) {
      g_front = nullptr;
    }
  }
  void SizeChanged() override {}
  void PopupMenu(Control& menu) override { hooks_.Report("popup: " + menu.FullName()); }
  void SetFocus(Control&) override {}
  void SetBusyPointer(bool) override {}
  bool IsForeground() const override {
    return form_.IsVisible() && (!g_front || g_front == &form_);
  }
  void Beep() override { hooks_.Report("beep"); }
  bool SaveImage(const std::string&) override { return false; }

 private:
  Form& form_;
  ScriptHooks& hooks_;
};

class HeadlessWindows : public WindowSystem {
 public:
  HeadlessWindows(HeadlessLoop& loop, FileSystem& fs, ScriptHooks& hooks)
      : loop_(loop), fs_(fs), hooks_(hooks) {}
  std::unique_ptr<NativeWindow> CreateNativeWindow(Form& form) override {
    return std::make_unique<HeadlessWindow>(form, hooks_);
  }
  std::unique_ptr<HtmlView> CreateView(Control& control, HtmlView*) override {
    return std::make_unique<HeadlessView>(control, loop_, fs_, hooks_);
  }
  ScreenArea WorkArea() override { return area_; }
  ScreenArea area_;  // unknown until a script sets it

 private:
  HeadlessLoop& loop_;
  FileSystem& fs_;
  ScriptHooks& hooks_;
};

class HeadlessDialogs : public Dialogs {
 public:
  explicit HeadlessDialogs(ScriptHooks& hooks) : hooks_(hooks) {}
  std::string InputBox(Form*, const std::string&, const std::string& title,
                       const std::string& preset) override {
    hooks_.Report("input: " + title + ": " + preset);
    return hooks_.NextAnswer();
  }
  void MsgBox(Form*, const std::string& text, MsgIcon, const std::string& title) override {
    hooks_.Report("message: " + title + ": " + text);
  }
  // Answered by the script: "yes" says yes, anything else (or nothing) no.
  bool Confirm(Form*, const std::string& text, const std::string& title) override {
    hooks_.Report("question: " + title + ": " + text);
    return hooks_.NextAnswer() == "yes";
  }
  std::string BrowseFolder(Form*, const std::string& title) override {
    hooks_.Report("folder: " + title);
    return hooks_.NextAnswer();
  }
  std::string OpenFile(Form*, const std::string& title, const std::string&, int) override {
    hooks_.Report("open: " + title);
    return hooks_.NextAnswer();
  }
  std::string SaveFile(Form*, const std::string& title, const std::string&, const std::string& name,
                       int) override {
    hooks_.Report("save: " + title + ": " + name);
    return hooks_.NextAnswer();
  }
  void About(Form*, const std::string& title, const std::string&) override {
    hooks_.Report("about: " + title);
  }

 private:
  ScriptHooks& hooks_;
};

class ReportingShell : public Shell {
 public:
  explicit ReportingShell(ScriptHooks& hooks) : hooks_(hooks) {}
  bool Open(const std::string& target) override { return Say("open", target); }
  bool ShowInFolder(const std::string& path) override { return Say("show", path); }
  bool Edit(const std::string& path) override { return Say("edit", path); }
  bool EditText(const std::string& path) override { return Say("edit text", path); }
  bool ShowProperties(const std::string& path) override { return Say("properties", path); }
  bool DownloadFile(const std::string& address, const std::string& destination, bool) override {
    hooks_.Report("download: " + address + (destination.empty() ? "" : " to " + destination));
    return true;
  }
  bool StartService(DesktopService service) override {
    static const char* const kNames[] = {"new instance", "computer",     "network settings",
                                         "text editor",  "image editor", "monitor off"};
    return Say("service", kNames[static_cast<int>(service)]);
  }

 private:
  bool Say(const char* verb, const std::string& target) {
    hooks_.Report(std::string("shell: ") + verb + " " + target);
    return true;
  }
  ScriptHooks& hooks_;
};

class MemoryClipboard : public Clipboard {
 public:
  MemoryClipboard(FileSystem& fs, ScriptHooks& hooks) : fs_(fs), hooks_(hooks) {}
  void SetText(const std::string& text) override {
    text_ = text;
    hooks_.Report("clipboard: text " + text);
  }
  std::string GetText() override { return text_; }
  bool SetPictureFromFile(const std::string& path) override {
    if (GetPictureSize(fs_, path).width <= 0) return false;
    hooks_.Report("clipboard: picture " + path);
    return true;
  }

 private:
  FileSystem& fs_;
  ScriptHooks& hooks_;
  std::string text_;
};

class SettableClock : public Clock {
 public:
  DateTime Now() override { return now_; }
  DateTime now_{2027, 1, 1, 12, 0, 0};
};

class HeadlessFrontEnd : public FrontEnd {
 public:
  explicit HeadlessFrontEnd(FileSystem& fs)
      : windows_(loop_, fs, script), dialogs_(script), shell_(script), clipboard_(fs, script) {}
  MessageLoop& Loop() override { return loop_; }
  WindowSystem& Windows() override { return windows_; }
  Dialogs& Dialog() override { return dialogs_; }
  Shell& ShellService() override { return shell_; }
  Clipboard& ClipboardService() override { return clipboard_; }
  Clock& ClockService() override { return clock_; }
  bool SetClock(const DateTime& t) override {
    clock_.now_ = t;
    return true;
  }
  bool SetWorkArea(const ScreenArea& area) override {
    windows_.area_ = area;
    return true;
  }

 private:
  HeadlessLoop loop_;
  HeadlessWindows windows_;
  HeadlessDialogs dialogs_;
  ReportingShell shell_;
  MemoryClipboard clipboard_;
  SettableClock clock_;
};

}  // namespace

std::unique_ptr<FrontEnd> MakeHeadlessFrontEnd(FileSystem& fs, Paths&) {
  return std::make_unique<HeadlessFrontEnd>(fs);
}

}  // namespace tv
