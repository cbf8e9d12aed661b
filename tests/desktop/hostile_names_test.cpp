// SPDX-License-Identifier: GPL-3.0-or-later
// The real view on a folder of names people really have: every thumbnail shows, opens,
// selects and deletes its own file, and a right-click selects what is under the pointer at
// that moment, whatever the status text said before.
#include <algorithm>

#include "desktop/desktop_gallery.h"
#include "support/hostile_names.h"
#include "text/text_util.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::MovePointer;
using test::PressAndRelease;
using test::ScreenPoint;

const std::vector<std::string> kNames = test::HostileNames(".jpg");

class HostileNamesOnTheDesktop : public DesktopGalleryTest {
 protected:
  // Only the hostile names: each picture a width of its own, so a wrong file shows.
  void MakePictures() override {
    for (size_t i = 0; i < std::size(kNames); ++i) {
      test::WriteSolidJpeg(Folder() + "/" + kNames[i], static_cast<int>(200 + 8 * i), 40);
    }
    victim_ = Folder() + "/../victim.jpg";
    test::WriteSolidJpeg(victim_, 10, 10);
  }
  void SetUp() override {
    DesktopGalleryTest::SetUp();
    if (IsSkipped()) return;
    Script().active = true;  // the shell and the pop-up report instead of acting
    Script().out = &reports_;
  }

  int WidthOf(const std::string& path) {
    const std::string name = path.substr(Folder().size() + 1);
    for (size_t i = 0; i < std::size(kNames); ++i) {
      if (name == kNames[i]) return static_cast<int>(200 + 8 * i);
    }
    return -1;
  }
  std::vector<HtmlElement> Pictures() {
    std::vector<HtmlElement> all = View().All(), pictures;
    std::copy_if(all.begin(), all.end(), std::back_inserter(pictures),
                 [](const HtmlElement& e) { return e.tag_name == "IMG"; });
    return pictures;
  }
  // Scrolls picture `index` into view and rests the real pointer on it.
  void PointAt(int index) {
    Eval("document.images[" + std::to_string(index) + "].scrollIntoView();void 0");
    pointer_ = PictureCentre(index);
    MovePointer(OnScreen(pointer_));
    Pause(150);
  }

  std::ostringstream reports_;
  std::string victim_;
  ScreenPoint pointer_;  // where the pointer rests, in the view
};

// A right-click selects what is under the pointer at that moment; then every thumbnail
// shows, opens, selects and deletes its own file.
TEST_F(HostileNamesOnTheDesktop, EachThumbnailIsItsOwnFileAndARightClickTakesWhatIsUnder) {
  const int n = static_cast<int>(std::size(kNames));
  std::string first, before, after, expected_after, nothing = "unset";
  int layout = -1;
  std::vector<std::function<void()>> steps = {
      [&] {
        Settle();
        layout = Gallery().layout;
        first = State().pictures.At(0);
        PointAt(0);
        PressAndRelease(3);
        Pause(100);
      },
      [&] {
        before = State().selected_picture;
        // Four a row: another picture, or none, lies under the still pointer now.
        Gallery().layout = 3;
        Gallery().WritePage();
        Settle();
        Pause(200);
        expected_after = PathFromStatusText(
            Eval("(function(){var e=document.elementFromPoint(" + std::to_string(pointer_.x) + "," +
                 std::to_string(pointer_.y) +
                 ");while(e&&e.tagName!=='A')e=e.parentElement;return e?e.href:'';})()"));
        PressAndRelease(3);
        Pause(100);
      },
      [&] {
        after = State().selected_picture;
        // Below every thumbnail: nothing is selected.
        Gallery().WritePage();
        Settle();
        MovePointer(OnScreen({5, gtk_widget_get_allocated_height(WebViewWidget(&View())) - 5}));
        Pause(150);
        PressAndRelease(3);
        Pause(100);
      },
      [&] {
        nothing = State().selected_picture;
        Gallery().layout = layout;
        Gallery().WritePage();
      }};
  steps.push_back([&] {
    Settle();
    const PictureList& list = State().pictures;
    ASSERT_EQ(list.count, n);
    std::vector<HtmlElement> pictures = Pictures();
    ASSERT_EQ(static_cast<int>(pictures.size()), n);  // no name added or removed an element
    for (int i = 0; i < n; ++i) {
      SCOPED_TRACE(list.At(i));
      EXPECT_EQ(PathFromStatusText(pictures[i].src), list.At(i));
      EXPECT_EQ(pictures[i].width, WidthOf(list.At(i)));  // decoded: the file itself
      const std::string name = list.At(i).substr(Folder().size() + 1);
      if (name.find("\xb2") == std::string::npos) {
        EXPECT_EQ(pictures[i].title, name);
      }
      reports_.str("");
      ASSERT_TRUE(View().ClickLink(i));
      // The page asks for the new window in its own time.
      WaitUntil([&] { return !reports_.str().empty(); }, 3000);
      EXPECT_EQ(reports_.str(), "shell: open " + list.At(i) + "\n");
    }
  });
  // Last to first, so the pictures before the deleted one keep their places.
  for (int i = n - 1; i >= 0; --i) {
    steps.push_back([&, i] {
      Settle();
      PointAt(i);
      PressAndRelease(3);
      Pause(100);
    });
    steps.push_back([&, i] {
      const std::string path = State().pictures.At(i);
      SCOPED_TRACE(path);
      EXPECT_EQ(State().selected_picture, path);
      // A name too long for the wastebasket's record of it is deleted for good when asked.
      Script().answers.push_back("yes");
      Gallery().TrashSelectedPicture();
      Script().answers.clear();
      EXPECT_FALSE(std::filesystem::exists(path));
      for (int k = 0; k < i; ++k) EXPECT_TRUE(std::filesystem::exists(State().pictures.At(k)));
    });
  }
  steps.push_back([&] { CloseBox(); });
  Run(steps);
  EXPECT_TRUE(std::filesystem::exists(victim_));
  EXPECT_EQ(before, first);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, expected_after);
  EXPECT_EQ(nothing, "");
}

}  // namespace
}  // namespace tv
