// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's own find bar over the page: a box and three buttons at the right of the
// tool strip, hidden until "查找" asks for it.
#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr int kTop = 30, kHeight = 420;
constexpr int kBoxLeft = 9000, kBoxWidth = 2600, kButtonWidth = 700;

}  // namespace

void FormExplore::CreateFindBar() {
  find_box = &Add(ControlKind::TextBox, "FindText");
  find_box->SetToolTipText("查找");
  find_box->Move(kBoxLeft, kTop, kBoxWidth, kHeight);
  find_box->SetVisible(false);
  int left = kBoxLeft + kBoxWidth + 50;
  for (const char* name : {"FindNext", "FindPrev", "FindClose"}) {
    Control& b = *FindControl(name);
    b.Move(left, kTop, kButtonWidth, kHeight);
    b.SetVisible(false);
    left += kButtonWidth + 50;
  }
  find_box->Change = [this] { FindInPage(false); };
  find_box->KeyPress = [this](int key) {
    if (key == kCharEnter) FindInPage(false);
    if (key == kCharEscape) CloseFindBar();
  };
}

void FormExplore::ShowFindBar() {
  for (const char* name : {"FindText", "FindNext", "FindPrev", "FindClose"}) {
    FindControl(name)->SetVisible(true);
  }
  SetFocus(*find_box);
  if (!find_box->Text().empty()) FindInPage(false);
}

void FormExplore::FindInPage(bool backwards) {
  if (HtmlView* view = ChildView()) view->FindText(find_box->Text(), backwards);
}

void FormExplore::FindNext() {
  FindInPage(false);
}

void FormExplore::FindPrevious() {
  FindInPage(true);
}

void FormExplore::CloseFindBar() {
  for (const char* name : {"FindText", "FindNext", "FindPrev", "FindClose"}) {
    FindControl(name)->SetVisible(false);
  }
  if (HtmlView* view = ChildView()) view->FindFinish();
}

}  // namespace tv
