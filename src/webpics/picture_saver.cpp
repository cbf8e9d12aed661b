// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/picture_saver.h"

#include "gallery/save_jpeg.h"
#include "host/html_view.h"
#include "platform/content_hash.h"
#include "platform/file_system.h"
#include "program/saved_pictures.h"

namespace tv {

namespace {

constexpr int kQuality = 80;

// Pixels where the view holds no bytes: known by what they show.
std::string PixelKey(const Picture& p) {
  std::string rgb(static_cast<size_t>(p.width) * p.height * 3, '\0');
  if (!p.Bands()(0, p.height, reinterpret_cast<uint8_t*>(rgb.data()))) return "";
  return ContentHash(std::to_string(p.width) + "x" + std::to_string(p.height) + ":" + rgb);
}

}  // namespace

PictureSave SaveWebPicture(HtmlView& view, int index, const std::string& address,
                           PictureTarget& target) {
  const std::optional<std::string> bytes = view.PictureBytes(index);
  if (!bytes) return PictureSave::kUnavailable;
  std::string key = bytes->empty() ? "" : ContentHash(*bytes);
  // Known already: nothing to decode.
  if (!key.empty() && target.saved.Has(key)) return PictureSave::kAlreadySaved;
  if (key.empty() && target.saved.HasAddress(address)) return PictureSave::kAlreadySaved;
  // Bytes in hand are the picture whatever the page does next; the pixels shown are only
  // those of the page still shown.
  const bool shown = target.page_still_shown();
  if (key.empty() && !shown) return PictureSave::kUnavailable;
  const std::optional<Picture> picture =
      shown ? view.CopyPicture(index, *bytes) : DecodePicture(*bytes);
  if (!picture) return PictureSave::kUnavailable;
  if (picture->width <= 0 || picture->height <= 0 || picture->width > kMaxJpegSide ||
      picture->height > kMaxJpegSide) {
    return PictureSave::kUnavailable;
  }
  // Copying waits on the view, and another window may have saved the same picture meanwhile.
  if (!key.empty() && target.saved.Has(key)) return PictureSave::kAlreadySaved;
  if (key.empty()) {
    if (!target.page_still_shown()) return PictureSave::kUnavailable;
    key = PixelKey(*picture);
    if (key.empty()) return PictureSave::kUnavailable;
    if (target.saved.Has(key)) return PictureSave::kAlreadySaved;
  }
  const std::string file = target.new_name();
  if (file.empty()) return PictureSave::kNotWritten;
  if (!SaveJpeg(picture->Bands(), picture->width, picture->height, file, kQuality)) {
    return PictureSave::kNotWritten;
  }
  if (target.min_length > 0) {
    const std::optional<uint64_t> length = target.fs.FileLength(file);
    if (!length || *length < target.min_length) {
      target.fs.Delete(file);
      return PictureSave::kTooSmall;
    }
  }
  // A record that cannot be written (a full disk) keeps the picture: the file is whole,
  // and the disk stops the next one.
  target.saved.Add(target.fs, key);
  target.saved.AddAddress(address);
  return PictureSave::kWritten;
}

}  // namespace tv
