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

// The picture from its bytes; for a format no decoder reads, what the page shows of it,
// but only where that is all of it: a picture shown smaller is skipped, never shrunk.
std::optional<Picture> PictureOf(HtmlView& view, const PagePicture& p,
                                 const std::optional<std::string>& bytes, PictureTarget& target) {
  DecodeFault fault = DecodeFault::kUnknownFormat;
  if (bytes) {
    if (auto picture = DecodePicture(*bytes, &fault)) return picture;
  }
  if (fault != DecodeFault::kUnknownFormat || !p.ShownWhole() || !target.page_still_shown()) {
    return std::nullopt;
  }
  return view.ShownPicture(p.element);
}

}  // namespace

PictureSave SaveWebPicture(HtmlView& view, const PagePicture& p, PictureTarget& target,
                           bool fetch) {
  std::optional<std::string> bytes = view.HeldPicture(p.address);
  if (!bytes && fetch) bytes = view.FetchedPicture(p.address);
  // Bytes in hand are the picture whatever the page does next; the pixels shown are only
  // those of the page still shown.
  std::string key = bytes ? ContentHash(*bytes) : "";
  if (!key.empty() && target.saved.Has(key)) return PictureSave::kAlreadySaved;
  if (key.empty() && target.saved.HasAddress(p.address)) return PictureSave::kAlreadySaved;
  if (!bytes && !p.loaded) return PictureSave::kUnavailable;
  const std::optional<Picture> picture = PictureOf(view, p, bytes, target);
  if (!picture) return PictureSave::kUnavailable;
  if (picture->width <= 0 || picture->height <= 0 || picture->width > kMaxJpegSide ||
      picture->height > kMaxJpegSide) {
    return PictureSave::kUnavailable;
  }
  if (!p.large && !IsLargeSize(picture->width, picture->height)) return PictureSave::kNotLarge;
  // Another copy of the program may save into the same folder: what it has recorded is
  // read again, and its record and the new file are made under the folder's lock, so each
  // picture is kept once and recorded only once its file is whole.
  const auto lock = target.fs.LockFolder(target.saved.Folder());
  target.saved.Refresh(target.fs);
  // Copying waits on the view, and another window may have saved the same picture meanwhile.
  if (!key.empty() && target.saved.Has(key)) return PictureSave::kAlreadySaved;
  if (key.empty()) {
    if (!target.page_still_shown()) return PictureSave::kUnavailable;
    key = PixelKey(*picture);
    if (key.empty()) return PictureSave::kUnavailable;
    if (target.saved.Has(key)) return PictureSave::kAlreadySaved;
  }
  const std::string file =
      SaveNewJpeg(picture->Bands(), picture->width, picture->height, target.new_name, kQuality);
  if (file.empty()) return PictureSave::kNotWritten;
  if (target.min_length > 0) {
    const std::optional<uint64_t> length = target.fs.FileLength(file);
    if (!length || *length < target.min_length) {
      target.fs.Delete(file);
      return PictureSave::kTooSmall;
    }
  }
  if (!target.saved.Add(target.fs, key)) target.unrecorded = true;
  target.saved.AddAddress(p.address);
  return PictureSave::kWritten;
}

}  // namespace tv
