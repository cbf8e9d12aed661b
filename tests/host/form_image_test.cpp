// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/form_image.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/html_view.h"
#include "program/application.h"
#include "support/test_platform.h"

namespace tv {
namespace {

class DetailWindow : public ::testing::Test {
 protected:
  DetailWindow() { t_.front->script.out = &out_; }
  FormImage& Open(const std::string& picture) {
    FormImage& w = ShowDetailWindow(app_, picture);
    t_.front->Loop().DoEvents();
    return w;
  }
  void List(std::initializer_list<const char*> addresses) {
    WebPictureList& list = app_.State().web_pictures;
    list.count = 0;
    for (const char* a : addresses) list.entries[static_cast<size_t>(list.count++)] = a;
  }

  test::TestPlatform t_;
  std::ostringstream out_;
  Application app_{t_.platform, t_.front->script};
};

TEST_F(DetailWindow, ShowsThePictureOnAPageOfItsOwnThatNoAddressAddsMarkupTo) {
  FormImage& w = Open("http://h/a.jpg");
  EXPECT_NE(test::ReadFile(w.page_file).find("src=\"http://h/a.jpg\""), std::string::npos);
  // The one window is reused for the next picture.
  EXPECT_EQ(&ShowDetailWindow(app_, "http://h/b.jpg"), &w);
  const std::string file = w.page_file;
  app_.Unload(w);
  EXPECT_FALSE(t_.posix.fs.IsFile(file));
  // An address cannot add markup.
  const std::string page = DetailPageText("http://h/\"><script>alert(1)</script>&");
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("src=\"http://h/&quot;&gt;&lt;script&gt;"), std::string::npos);
}

// Starting at the clicked picture and wrapping round the list are the web gallery
// scenario's; a picture the list does not hold, and an empty list, keep the place.
TEST_F(DetailWindow, SteppingKeepsItsPlaceWhereTheListDoesNotHoldThePicture) {
  List({"http://h/p0", "http://h/p1", "http://h/p2"});
  FormImage& w = Open("http://h/p1");
  Open("http://h/elsewhere");
  EXPECT_EQ(w.position, 1);
  w.NextPicture();
  EXPECT_EQ(w.picture, "http://h/p2");
  List({});
  w.NextPicture();
  w.PreviousPicture();
  EXPECT_EQ(w.picture, "http://h/p2");
}

TEST_F(DetailWindow, SaveAsksInTheSharedDialogAndOnlyWebAddressesOpen) {
  FormImage& w = Open("https://h/a.jpg?size=big");
  out_.str("");
  t_.front->script.answers.push_back("https://h/a.jpg");
  t_.front->script.answers.push_back("/pics/b.jpg");
  w.OpenPictureAddress();
  w.SaveShownPicture();
  EXPECT_EQ(out_.str(),
            "input: 网址: https://h/a.jpg?size=big\nshell: open https://h/a.jpg?size=big\n"
            "save: 图片另存为: a.jpg\ndownload: https://h/a.jpg?size=big to /pics/b.jpg\n");
  // The next dialog of the program starts where this one saved.
  EXPECT_EQ(app_.State().dialog_folder.rfind("/pics", 0), 0u);
  w.ShowPicture("https://h/a.jpg");
  // 取消 opens nothing.
  out_.str("");
  t_.front->script.answers.push_back(std::nullopt);
  w.OpenPictureAddress();
  EXPECT_EQ(out_.str(), "input: 网址: https://h/a.jpg\n");
  w.ShowPicture("file:///home/u/run.desktop");
  out_.str("");
  t_.front->script.answers.push_back("file:///home/u/run.desktop");
  w.OpenPictureAddress();
  EXPECT_EQ(out_.str(), "input: 网址: file:///home/u/run.desktop\n");
}

TEST_F(DetailWindow, AnAddressOfNoPictureIsNeitherShownNorOfferedForDownload) {
  FormImage& w = Open("http://h/a.jpg");
  for (const char* address : {"javascript:alert(1)", "", "about:blank"}) {
    w.ShowPicture(address);
    EXPECT_EQ(w.picture, "http://h/a.jpg") << address;
  }
  // A window opened on such an address first has nothing to offer.
  app_.Unload(w);
  FormImage& empty = Open("javascript:void(0)");
  out_.str("");
  empty.SaveShownPicture();
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace tv
