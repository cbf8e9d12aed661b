// SPDX-License-Identifier: GPL-3.0-or-later
// Picture buttons show no caption: their picture and their tooltip are all a person and a
// screen reader have to go by. Each has both, and no two buttons of a window that do
// different things show the same picture.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/form.h"
#include "support/browser_rig.h"
#include "support/gallery_rig.h"
#include "support/memory_file_system.h"

namespace tv::test {
namespace {

void ExpectTellingPictures(const Form& form) {
  std::map<std::string, std::string> tooltip_of;  // picture -> the tooltip it stands for
  int buttons = 0;
  for (const auto& c : form.Controls()) {
    if (c->Kind() != ControlKind::Button && c->Kind() != ControlKind::CheckBox) continue;
    if (!c->Caption().empty()) continue;
    ++buttons;
    EXPECT_FALSE(c->ToolTipText().empty()) << form.Name() << "." << c->FullName();
    EXPECT_FALSE(c->Picture.empty()) << form.Name() << "." << c->FullName();
    auto [at, fresh] = tooltip_of.emplace(c->Picture, c->ToolTipText());
    EXPECT_TRUE(fresh || at->second == c->ToolTipText())
        << form.Name() << ": " << c->Picture << " shows both " << at->second << " and "
        << c->ToolTipText();
  }
  EXPECT_GT(buttons, 10) << form.Name();
}

TEST(PictureButtons, GalleryAndBrowserTellTheirButtonsApart) {
  MemoryFileSystem fs;
  GalleryRig gallery(fs);
  ExpectTellingPictures(gallery.gallery);
  BrowserRig browser;
  ASSERT_NE(browser.frame, nullptr);
  ExpectTellingPictures(*browser.frame);
  // The two the browser showed wrongly: its home page and closing the current page.
  EXPECT_EQ(browser.frame->FindControl("Command5")->Picture, "go-home-symbolic");
  EXPECT_EQ(browser.frame->FindControl("Command8")->Picture, "window-close-symbolic");
}

}  // namespace
}  // namespace tv::test
