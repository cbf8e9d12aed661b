// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/page_lines.h"

#include "text/page_text.h"
#include "text/text_util.h"

namespace tv {

std::string PictureLineText(PictureLine kind, const std::string& path, const std::string& name,
                            int width) {
  const std::string p = HtmlEscape(PathForAddress(path));
  const std::string n = UnquotedAttribute(name);
  const std::string w = std::to_string(width);
  const bool paragraph = kind == PictureLine::Fitted || kind == PictureLine::Shrunk;
  std::string line = paragraph ? "<p><a href=\"" : "<a href=\"";
  line += p;
  line += "\" target=\"_blank\"><img border=\"1\" src=\"";
  line += p;
  switch (kind) {
    case PictureLine::Row:
      line += "\"  width=" + w + " title=";
      break;
    case PictureLine::Shrunk:
      line += "\" width=" + w + " title=";
      break;
    case PictureLine::Fitted:
    case PictureLine::Original:
      line += "\" title=";
      break;
  }
  line += n;
  switch (kind) {
    case PictureLine::Row:
      line += " ></a> ";
      break;
    case PictureLine::Fitted:
    case PictureLine::Shrunk:
      line += " ></a></p> ";
      break;
    case PictureLine::Original:
      line += " ></a>";
      break;
  }
  line += "\r\n";
  return line;
}

int ShownWidthLimit(PictureLine kind, int width) {
  return kind == PictureLine::Row || kind == PictureLine::Shrunk ? width : 0;
}

int ViewWidthPixels(int view_twips) {
  return RoundHalfEven(view_twips / 15.0 - 30);
}

int ThumbnailWidth(int layout, int v) {
  switch (layout) {
    case 1:
      return RoundHalfEven(v / 2.0 - 5);
    case 2:
      return RoundHalfEven(v / 3.0 - 7);
    case 3:
      return RoundHalfEven(v / 4.0 - 8);
    case 5:
      return RoundHalfEven(v / 6.0 - 8);
    default:
      return v;  // 0 and 4
  }
}

}  // namespace tv
