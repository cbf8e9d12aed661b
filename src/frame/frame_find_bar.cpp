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
  FindText = &Add(ControlKind::TextBox, "FindText");
  FindText->SetToolTipText("查找");
  FindText->Move(kBoxLeft, kTop, kBoxWidth, kHeight);
  FindText->SetVisible(false);
  const char* names[] = {"FindNext", "FindPrev", "FindClose"};
  const char* captions[] = {"下一个", "上一个", "关闭"};
  int left = kBoxLeft + kBoxWidth + 50;
  for (int i = 0; i < 3; ++i) {
    Control& b = Add(ControlKind::Button, names[i]);
    b.SetCaption(captions[i]);
    b.Move(left, kTop, kButtonWidth, kHeight);
    b.SetVisible(false);
    left += kButtonWidth + 50;
  }
  FindText->Change = [this] { FindBar_Find(false); };
  FindText->KeyPress = [this](int key) {
    if (key == 13) FindBar_Find(false);
    if (key == 27) FindBar_Close();
  };
  FindControl("FindNext")->Click = [this] { FindBar_Find(false); };
  FindControl("FindPrev")->Click = [this] { FindBar_Find(true); };
  FindControl("FindClose")->Click = [this] { FindBar_Close(); };
}

void FormExplore::mnuViewOptions_Click() {
  for (const char* name : {"FindText", "FindNext", "FindPrev", "FindClose"}) {
    FindControl(name)->SetVisible(true);
  }
  SetFocus(*FindText);
  if (!FindText->Text().empty()) FindBar_Find(false);
}

void FormExplore::FindBar_Find(bool backwards) {
  if (HtmlView* view = ChildView()) view->FindText(FindText->Text(), backwards);
}

void FormExplore::FindBar_Close() {
  for (const char* name : {"FindText", "FindNext", "FindPrev", "FindClose"}) {
    FindControl(name)->SetVisible(false);
  }
  if (HtmlView* view = ChildView()) view->FindFinish();
}

}  // namespace tv
