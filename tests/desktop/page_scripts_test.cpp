// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's view shows generated pages: a page's own scripts never run and it cannot
// read files, while the thumbnails from other folders still show and the program's own
// scripts (scrolling, zoom, scans) still work.
#include <fstream>

#include "desktop/desktop_gallery.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;

// A page trying every way to run its own code, and to read a file of another folder.
std::string ProbePage(const std::string& secret, const std::string& picture) {
  return "<body onload=\"window.ranOnload=1;document.title='onload'\">\n"
         "<script>window.ranScript=1;document.title='script';\n"
         "try{var x=new XMLHttpRequest();x.open('GET','file://" +
         secret +
         "',false);x.send();window.readSecret=x.responseText;}catch(e){}</script>\n"
         "<a href=\"javascript:document.title='link'\">run</a>\n"
         "<img src=\"file://" +
         picture + "\">\n<div style=\"height:3000px\"></div>\n</body>\n";
}

// Reads a file through the page's own origin, as a page script would.
std::string ReadThroughPage(const std::string& path) {
  return "(function(){try{var x=new XMLHttpRequest();x.open('GET','file://" + path +
         "',false);x.send();return 'read:'+x.responseText;}catch(e){return 'refused';}})()";
}

TEST_F(DesktopGalleryTest, GeneratedPagesRunNoScriptOfTheirOwnAndReadNoFiles) {
  const std::string secret = TempPath("secret/notes.txt");
  std::filesystem::create_directories(TempPath("secret"));
  std::ofstream(secret) << "private";
  const std::string probe = TempPath("page/probe.htm");
  std::filesystem::create_directories(TempPath("page"));
  std::ofstream(probe) << ProbePage(secret, Folder() + "/p01.jpg");

  std::string thumbnails, title, marks, link_title, probe_picture, read;
  int scrolled = -1;
  bool zoom_ran = false;
  std::string zoom;
  size_t elements = 0;
  Run({[&] {
    Settle();
    // Every thumbnail of the gallery page, held in another folder, is decoded.
    thumbnails = Eval(
        "Array.prototype.every.call(document.images,function(i){return i.naturalWidth>0;})"
        "+':'+document.images.length");
    View().Navigate(probe);
    Settle();
    title = View().Title();
    marks = Eval("[typeof ranScript,typeof ranOnload,typeof readSecret].join()");
    View().ClickLink(0);
    Pause(300);
    link_title = View().Title();
    probe_picture = Eval("document.images[0].naturalWidth");
    read = Eval(ReadThroughPage(secret));
    ASSERT_TRUE(View().ScrollBy(0, 300));
    scrolled = View().ScrollTop();
    zoom_ran = View().ExecScript("document.body.style.zoom='150%'", "JScript");
    zoom = Eval("document.body.style.zoom");
    elements = View().All().size();
    CloseBox();
  }});
  EXPECT_EQ(thumbnails, "true:12");
  EXPECT_EQ(title, "");
  EXPECT_EQ(marks, "undefined,undefined,undefined");
  EXPECT_EQ(link_title, "") << "a javascript: link ran";
  EXPECT_EQ(probe_picture, "320") << "a picture of another folder did not show";
  EXPECT_EQ(read, "refused");
  EXPECT_EQ(scrolled, 300);
  EXPECT_TRUE(zoom_ran);
  EXPECT_EQ(zoom, "150%");
  EXPECT_GE(elements, 6u);  // HTML, HEAD, BODY, SCRIPT, A, IMG, DIV
}

}  // namespace
}  // namespace tv
