#include "gallery/file_dialogs.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(CleanFileName, ReplacesWhatNamesCannotHold) {
  EXPECT_EQ(CleanFileName("a:b*c<d>e|f?g\\h/i"), "a：b，c[d]eIf？gh i");
  EXPECT_EQ(CleanFileName("say \"cheese\".jpg"), "say \"cheese\".jpg");
  EXPECT_EQ(CleanFileName("截图.jpg"), "截图.jpg");
  EXPECT_EQ(CleanFileName(""), "");
}

}  // namespace
}  // namespace tv
