// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scenario_runner.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "host/html_view.h"
#include "platform/form.h"
#include "platform/front_end.h"
#include "program/application.h"

namespace tv {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// Splits "verb rest of line".
std::pair<std::string, std::string> Verb(const std::string& line) {
  size_t sp = line.find(' ');
  if (sp == std::string::npos) return {line, ""};
  return {line.substr(0, sp), Trim(line.substr(sp + 1))};
}

bool ParseInt(const std::string& s, int& out) {
  std::istringstream in(s);
  in >> out;
  return in && (in >> std::ws).eof();
}

// "ProgressChange 50 100", "CommandStateChange 2 True", "TitleChange", "DownloadComplete".
bool RaiseEvent(HtmlView& view, const std::string& line) {
  std::istringstream in(line);
  std::string name, a, b;
  in >> name >> a >> b;
  HtmlViewEvents& e = view.events;
  int x = 0, y = 0;
  if (name == "ProgressChange" && ParseInt(a, x) && ParseInt(b, y)) {
    if (e.ProgressChange) e.ProgressChange(x, y);
  } else if (name == "CommandStateChange" && ParseInt(a, x) && (b == "True" || b == "False")) {
    if (e.CommandStateChange) e.CommandStateChange(x, b == "True");
  } else if (name == "TitleChange") {
    if (e.TitleChange) e.TitleChange(view.Title());
  } else if (name == "DownloadComplete") {
    if (e.DownloadComplete) e.DownloadComplete();
  } else if (name == "DocumentComplete") {
    if (e.DocumentComplete) e.DocumentComplete(view.LocationURL());
  } else if (name == "StatusTextChange") {
    if (e.StatusTextChange) e.StatusTextChange(line.size() > 17 ? line.substr(17) : "");
  } else if (name == "PageDownload" && ParseInt(a, x)) {
    // "PageDownload ID ADDRESS NAME...": the page asks to save an answer as a file.
    std::string suggested;
    std::getline(in >> std::ws, suggested);
    if (e.PageDownload) {
      e.PageDownload(x, b, suggested);
    } else {
      view.DropDownload(x);
    }
  } else if (name == "ProcessHung" && (a == "True" || a == "False")) {
    if (e.ProcessHung) e.ProcessHung(a == "True");
  } else if (name == "ProcessEnded") {
    if (e.ProcessEnded) e.ProcessEnded();
  } else if (name == "NewWindow2") {
    HtmlView* target = nullptr;
    bool cancel = false;
    if (e.NewWindow2) e.NewWindow2(target, cancel);
    if (!cancel && target && !a.empty()) target->Navigate(a);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseClock(const std::string& date, const std::string& time, DateTime& out) {
  DateTime t;
  char extra;
  if (std::sscanf(date.c_str(), "%d-%d-%d%c", &t.year, &t.month, &t.day, &extra) != 3) {
    return false;
  }
  if (std::sscanf(time.c_str(), "%d:%d:%d%c", &t.hour, &t.minute, &t.second, &extra) != 3) {
    return false;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour < 0 || t.hour > 23 ||
      t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return false;
  }
  out = t;
  return true;
}

ScenarioRunner::ScenarioRunner(Application& app, FrontEnd& front_end,
                               std::vector<std::string> lines, std::ostream& out)
    : app_(app), front_end_(front_end), lines_(std::move(lines)), out_(out) {}

Form* ScenarioRunner::Current() {
  return app_.FindWindow(window_);
}

bool ScenarioRunner::Fail(const std::string& why) {
  out_ << "error: line " << next_ << ": " << why << "\n" << std::flush;
  failed_ = true;
  return false;
}

bool ScenarioRunner::Step() {
  if (finished_) return false;
  while (next_ < lines_.size() && !failed_) {
    const std::string line = Trim(lines_[next_++]);
    if (line.empty() || line[0] == '#') continue;
    if (Run(line)) return true;
    break;  // a failed line ends the script
  }
  // The script is done: close the gallery as its close box would, unless it closed.
  finished_ = true;
  if (Form* gallery = app_.FindWindow("FrmMain")) gallery->RequestClose();
  app_.State().exit_flag = true;
  return false;
}

bool ScenarioRunner::Run(const std::string& line) {
  auto [verb, rest] = Verb(line);
  ScriptHooks& hooks = front_end_.script;
  MessageLoop& loop = app_.Services().loop;

  if (verb == "window") {
    window_ = rest;
    if (!Current()) return Fail("no window " + rest);
    return true;
  }
  if (verb == "answer") {
    hooks.answers.push_back(rest);
    return true;
  }
  if (verb == "cancel") {
    hooks.answers.push_back(std::nullopt);
    return true;
  }
  if (verb == "wait") {
    int ms = 0;
    if (!ParseInt(rest, ms) || ms < 0) return Fail("wait needs milliseconds");
    loop.Sleep(ms);
    return true;
  }
  if (verb == "settle") {
    // Lets the loop run until the active view has finished loading and stayed so for a
    // while (at most 30 s): a reload asked for just before a new page may still start and
    // finish after the new page was asked for, which then loads a moment later.
    HtmlView* view = app_.State().active_view;
    constexpr int kQuietMs = 250;
    int quiet = 0;
    for (int waited = 0; waited < 30000 && quiet < kQuietMs; waited += 10) {
      loop.Sleep(10);
      quiet = !view || !view->Busy() ? quiet + 10 : 0;
    }
    return true;
  }
  if (verb == "clipboard") {
    app_.Services().clipboard.SetText(rest);
    return true;
  }
  if (verb == "screen") {
    // The work area in pixels: LEFT TOP WIDTH HEIGHT.
    std::istringstream in(rest);
    int l = 0, t = 0, w = 0, h = 0;
    if (!(in >> l >> t >> w >> h) || w <= 0 || h <= 0 || w > 100000 || h > 100000 ||
        std::abs(l) > 100000 || std::abs(t) > 100000) {
      return Fail("screen needs LEFT TOP WIDTH HEIGHT in pixels");
    }
    if (!front_end_.SetWorkArea({l * 15, t * 15, w * 15, h * 15}))
      return Fail("this front-end keeps the real screen");
    return true;
  }
  if (verb == "clock") {
    auto [date, time] = Verb(rest);
    DateTime t;
    if (!ParseClock(date, time, t)) return Fail("clock needs DATE TIME");
    if (!front_end_.SetClock(t)) return Fail("this front-end keeps the real clock");
    return true;
  }

  Form* form = Current();
  if (!form) return Fail("no window " + window_);

  if (verb == "click" || verb == "dblclick" || verb == "menu") {
    Control* c = form->FindControl(rest);
    if (!c) return Fail("no control " + rest + " on " + window_);
    if (!c->Enabled()) {
      out_ << "disabled: " << rest << "\n";
      return true;
    }
    if (verb == "dblclick") {
      c->FireDblClick();
    } else if (c->Kind() == ControlKind::CheckBox) {
      c->SetValue(c->Value() == 1 ? 0 : 1);  // a click flips the box, which fires Click
    } else {
      c->FireClick();
    }
    return true;
  }
  if (verb == "navigate") {
    Control* view = form->FindControl("Web");
    if (!view || !view->View()) return Fail(window_ + " has no view");
    view->View()->Navigate(rest);
    return true;
  }
  if (verb == "raise") {
    Control* view = form->FindControl("Web");
    if (!view || !view->View()) return Fail(window_ + " has no view");
    if (!RaiseEvent(*view->View(), rest)) return Fail("cannot raise " + rest);
    return true;
  }
  if (verb == "type" || verb == "pick") {
    auto [name, text] = Verb(rest);
    Control* c = form->FindControl(name);
    if (!c) return Fail("no control " + name + " on " + window_);
    if (verb == "type") {
      c->SetText(text);
      return true;
    }
    const auto& list = c->List();
    int index = -1;
    for (size_t i = 0; i < list.size() && index < 0; ++i) {
      if (list[i] == text) index = static_cast<int>(i);
    }
    if (index < 0) return Fail("no entry " + text + " in " + name);
    c->SetText(text);  // the box shows the entry before its Click runs
    if (c->ListIndex() == index) {
      c->FireClick();
    } else {
      c->SetListIndex(index);
    }
    return true;
  }
  if (verb == "keypress" || verb == "mouseup") {
    auto [name, code_text] = Verb(rest);
    Control* c = form->FindControl(name);
    int code = 0;
    if (!c) return Fail("no control " + name + " on " + window_);
    if (!ParseInt(code_text, code)) return Fail(verb + " needs a number");
    if (verb == "keypress") {
      c->FireKeyPress(code);
    } else if (c->MouseUp) {
      c->MouseUp(MouseArgs{code, 0, 0, 0});
    }
    return true;
  }
  if (verb == "focus") {
    Control* c = form->FindControl(rest);
    if (!c) return Fail("no control " + rest + " on " + window_);
    c->FireGotFocus();
    return true;
  }
  if (verb == "key") {
    auto [name, code_text] = Verb(rest);
    Control* c = form->FindControl(name);
    int code = 0;
    if (!c) return Fail("no control " + name + " on " + window_);
    if (!ParseInt(code_text, code)) return Fail("key needs a key code");
    c->FireKeyDown(code);
    return true;
  }
  if (verb == "shortcut") {
    // A key combination pressed in the window: "shortcut Ctrl+Q".
    if (!form->RunShortcut(rest)) return Fail("no shortcut " + rest + " on " + window_);
    return true;
  }
  if (verb == "resize") {
    auto [w, h] = Verb(rest);
    int width = 0, height = 0;
    if (!ParseInt(w, width) || !ParseInt(h, height) || width < 0 || height < 0) {
      return Fail("resize needs WIDTH HEIGHT");
    }
    form->Resize(width, height);
    if (form->Native()) form->Native()->SizeChanged();
    return true;
  }
  if (verb == "drag") {
    // A drag with the left button: one move DX twips past the grip, then the release.
    auto [name, dx_text] = Verb(rest);
    Control* c = form->FindControl(name);
    int dx = 0;
    if (!c) return Fail("no control " + name + " on " + window_);
    if (!ParseInt(dx_text, dx)) return Fail("drag needs a distance");
    MouseArgs m{1, 0, dx + 25, 0};
    if (c->MouseDown) c->MouseDown(m);
    if (c->MouseMove) c->MouseMove(m);
    m.x = 25;
    if (c->MouseUp) c->MouseUp(m);
    return true;
  }
  if (verb == "follow") {
    // A click on the N-th link (from 1) of the window's view, or of the view named after it.
    int n = 0;
    auto [number, view_name] = Verb(rest);
    Control* web = form->FindControl(view_name.empty() ? "Web" : view_name);
    HtmlView* view = web && web->View() ? web->View() : app_.State().active_view;
    if (!ParseInt(number, n) || n < 1) return Fail("follow needs a link number from 1");
    if (!view || !view->ClickLink(n - 1)) return Fail("no link " + rest);
    return true;
  }
  if (verb == "status") {
    HtmlView* view = app_.State().active_view;
    if (!view) return Fail("no active view");
    view->RestPointerOn(rest);
    return true;
  }
  if (verb == "rightclick") {
    loop.Post({InputMessage::Kind::RightButtonUp, form, 0});
    return true;
  }
  if (verb == "wheel") {
    int delta = 0;
    if (!ParseInt(rest, delta)) return Fail("wheel needs a delta");
    loop.Post({InputMessage::Kind::Wheel, form, delta});
    return true;
  }
  if (verb == "snapshot") {
    // A picture of the window as a person sees it (desktop runs only).
    if (!form->Native() || !form->Native()->SaveImage(rest)) out_ << "snapshot: none\n";
    return true;
  }
  if (verb == "close") {
    form->RequestClose();
    return true;
  }
  if (verb == "copy") {
    // The page name may hold no blank; the target is the rest of the line.
    auto [page, target] = Verb(rest);
    std::string data;
    Platform& p = app_.Services();
    if (!p.fs.ReadWhole(p.paths.PageFile(page), data)) return Fail("no page " + page);
    if (!p.fs.WriteWhole(target, data)) return Fail("cannot write " + target);
    return true;
  }
  if (verb == "print") {
    if (rest == "Caption") {
      out_ << "Caption=" << form->Caption() << "\n" << std::flush;
      return true;
    }
    if (rest == "place") {
      // Where the window is on the screen and its inner size, in pixels.
      out_ << "place=" << form->Left() / 15 << "," << form->Top() / 15 << " "
           << form->ScaleWidth() / 15 << "x" << form->ScaleHeight() / 15 << "\n"
           << std::flush;
      return true;
    }
    if (rest == "frame") {
      // Where the screen shows the window with its frame, in pixels.
      const ScreenArea a = form->Native() ? form->Native()->OuterArea() : ScreenArea{};
      if (a.width <= 0) return Fail("nothing of " + window_ + " is on the screen");
      out_ << "frame=" << a.left / 15 << "," << a.top / 15 << " " << a.width / 15 << "x"
           << a.height / 15 << "\n"
           << std::flush;
      return true;
    }
    if (rest == "clipboard") {
      out_ << "clipboard=" << app_.Services().clipboard.GetText() << "\n" << std::flush;
      return true;
    }
    auto dot = rest.rfind('.');
    if (dot != std::string::npos) {
      if (Control* c = form->FindControl(rest.substr(0, dot))) {
        auto value = c->PropertyText(rest.substr(dot + 1));
        if (!value) return Fail("no property " + rest);
        out_ << rest << "=" << *value << "\n" << std::flush;
        return true;
      }
    }
    auto value = form->StateField(rest);
    if (!value) return Fail("nothing named " + rest + " on " + window_);
    out_ << rest << "=" << *value << "\n" << std::flush;
    return true;
  }
  return Fail("unknown line: " + line);
}

}  // namespace tv
