// The page window's picture scan, web gallery, saving and history. Each arrives with its
// own work; until then the events that start them find them here and nothing happens.
#include "webpics/form_web.h"

namespace tv {

void FormWeb::SearchPic() {}
void FormWeb::LoadPic() {}
void FormWeb::PictFangZhen() {}
void FormWeb::PictLaShen() {}
void FormWeb::SavePictureDisk(const std::string&) {}
void FormWeb::SavePictureForSize() {}
void FormWeb::AutoDownLoadImag() {}
void FormWeb::ScreenSaveAs() {}

void FormWeb::BeforeDownload() {
  // Every navigation is followed by six Timer3 ticks.
  timer3_ticks_ = 0;
  Timer3->SetTimerEnabled(true);
}

}  // namespace tv
