// SPDX-License-Identifier: GPL-3.0-or-later
// Answers typed into the gallery's prompts mean the same on every desktop language.
#include <gtest/gtest.h>

#include <string>

#include "settings/settings_store.h"
#include "support/comma_locale.h"
#include "support/gallery_rig.h"
#include "support/memory_file_system.h"

namespace tv {
namespace {

TEST(TypedNumbers, JumpAndPerPageAnswersIgnoreTheLocale) {
  test::CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma";
  test::MemoryFileSystem fs;
  test::GalleryRig rig(fs);
  for (int i = 0; i < 200; ++i) rig.app.State().pictures.Append("/p/" + std::to_string(i) + ".jpg");
  rig.gallery.FirstPage();

  rig.Answer("3.5");
  rig.gallery.JumpToPage();
  EXPECT_EQ(rig.gallery.current_page, 4);

  rig.Answer("30.7");
  rig.gallery.AskPicturesPerPage();
  EXPECT_EQ(rig.gallery.per_page, 31);
  EXPECT_EQ(SettingsStore(rig.platform.settings).GetSetting("Main", "PageFileCount"), "31");
}

}  // namespace
}  // namespace tv
