// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the files a scenario needs from its "#!" lines, under a root folder:
//   #! picture REL WxH [BYTES]   a real picture (jpg, png, bmp; other types get a header)
//   #! file REL BYTES            a file of that many bytes
//   #! folder REL                an empty folder
//   #! link REL TARGET           a symbolic link
//   #! page REL TEXT             a small page whose text is the rest of the line
//   #! text REL TEXT             exact bytes appended: "\r", "\n" and "\\" stand for themselves
//   #! repeat REL N TEXT         the same N times, "{n}" in it counting 1 to N
//   #! setting SECTION KEY VALUE a stored setting
//   #! marker                    the first-run marker in the program folder
// Paths may use <root>, and %20 for a blank. Exits non-zero on a line it cannot carry out.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/jpeg.h"
#include "platform/posix/posix_services.h"
#include "png_head.h"

namespace {

std::string root;

// "<root>" stands for the root folder and "%20" for a blank.
std::string Expand(std::string s) {
  for (size_t at; (at = s.find("%20")) != std::string::npos;) s.replace(at, 3, " ");
  for (size_t at; (at = s.find("<root>")) != std::string::npos;) s.replace(at, 6, root);
  if (!s.empty() && s[0] != '/') s = root + "/" + s;
  return s;
}

void MakeParents(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
  }
}

void Put16le(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 255);
  s += static_cast<char>((v >> 8) & 255);
}
void Put32le(std::string& s, uint32_t v) {
  Put16le(s, v & 0xFFFF);
  Put16le(s, v >> 16);
}

uint8_t Shade(int x, int y, int w, int h, int channel) {
  const int v[3] = {255 * x / (w > 1 ? w - 1 : 1), 255 * y / (h > 1 ? h - 1 : 1), 160};
  return static_cast<uint8_t>(v[channel]);
}

std::string Png(int w, int h) {
  std::string raw;  // filter byte 0 then RGB per row
  for (int y = 0; y < h; ++y) {
    raw += '\0';
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 3; ++c) raw += static_cast<char>(Shade(x, y, w, h, c));
    }
  }
  std::string z = "\x78\x01";  // zlib, stored blocks
  for (size_t at = 0; at < raw.size() || at == 0;) {
    size_t n = std::min<size_t>(65535, raw.size() - at);
    bool last = at + n >= raw.size();
    z += static_cast<char>(last ? 1 : 0);
    Put16le(z, static_cast<uint32_t>(n));
    Put16le(z, static_cast<uint32_t>(~n & 0xFFFF));
    z += raw.substr(at, n);
    at += n;
    if (last) break;
  }
  uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  z += tv::test::PngBigEndian((b << 16) | a);
  const std::string ihdr = tv::test::PngBigEndian(static_cast<uint32_t>(w)) +
                           tv::test::PngBigEndian(static_cast<uint32_t>(h)) +
                           std::string("\x08\x02\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + tv::test::PngChunk("IHDR", ihdr) +
         tv::test::PngChunk("IDAT", z) + tv::test::PngChunk("IEND", "");
}

std::string Bmp(int w, int h) {
  const int row = (w * 3 + 3) / 4 * 4;
  std::string s = "BM";
  Put32le(s, static_cast<uint32_t>(54 + row * h));
  Put32le(s, 0);
  Put32le(s, 54);
  Put32le(s, 40);
  Put32le(s, static_cast<uint32_t>(w));
  Put32le(s, static_cast<uint32_t>(h));
  Put16le(s, 1);
  Put16le(s, 24);
  for (int i = 0; i < 6; ++i) Put32le(s, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      for (int c = 2; c >= 0; --c) s += static_cast<char>(Shade(x, y, w, h, c));
    }
    s.append(static_cast<size_t>(row - w * 3), '\0');
  }
  return s;
}

std::string Gif(int w, int h) {
  std::string s = "GIF89a";
  Put16le(s, static_cast<uint32_t>(w));
  Put16le(s, static_cast<uint32_t>(h));
  return s;
}

bool WritePicture(const std::string& path, int w, int h) {
  std::string ext = path.substr(path.rfind('.') + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "jpg" || ext == "jpeg") {
    return tv::SaveJpegFile(path, w, h, 80, [w, h](int first, int rows, uint8_t* rgb) {
      for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < w; ++x) {
          for (int c = 0; c < 3; ++c) *rgb++ = Shade(x, first + y, w, h, c);
        }
      }
      return true;
    });
  }
  std::string data = ext == "png" ? Png(w, h) : ext == "bmp" ? Bmp(w, h) : Gif(w, h);
  std::ofstream(path, std::ios::binary) << data;
  return true;
}

void PadTo(const std::string& path, long bytes) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && st.st_size < bytes) {
    if (truncate(path.c_str(), bytes) != 0) std::perror("truncate");
  }
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    } else {
      out += text[i];
    }
  }
  for (size_t at; (at = out.find("<root>")) != std::string::npos;) out.replace(at, 6, root);
  return out;
}

// The text `count` times; "{n}" in it counts the copies from 1.
std::string Repeated(const std::string& text, long count) {
  std::string out;
  for (long i = 1; i <= count; ++i) {
    std::string one = text;
    for (size_t at; (at = one.find("{n}")) != std::string::npos;)
      one.replace(at, 3, std::to_string(i));
    out += one;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tv_fixture ROOT SCENARIO\n";
    return 2;
  }
  root = argv[1];
  std::ifstream in(argv[2]);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("#! ", 0) != 0) continue;
    std::istringstream words(line.substr(3));
    std::string verb, a, b;
    words >> verb;
    if (verb == "picture" || verb == "file") {
      words >> a;
      std::string path = Expand(a);
      MakeParents(path);
      long bytes = 0;
      if (verb == "picture") {
        int w = 0, h = 0;
        char x;
        words >> w >> x >> h;
        if (w <= 0 || h <= 0 || !WritePicture(path, w, h)) {
          std::cerr << "tv_fixture: cannot make " << line << "\n";
          return 1;
        }
        words >> bytes;
      } else {
        words >> bytes;
        std::ofstream(path, std::ios::binary) << std::string(static_cast<size_t>(bytes), 'x');
      }
      PadTo(path, bytes);
    } else if (verb == "page") {
      // A small web page: the rest of the line is its text.
      words >> a;
      std::string text;
      std::getline(words >> std::ws, text);
      for (size_t at; (at = text.find("<root>")) != std::string::npos;) text.replace(at, 6, root);
      const std::string path = Expand(a);
      MakeParents(path);
      std::ofstream(path, std::ios::binary) << text << "\n";
    } else if (verb == "text" || verb == "repeat") {
      // Exact bytes: "\r", "\n" and "\\" in the text stand for themselves; "repeat"
      // appends the text COUNT times.
      words >> a;
      long count = 1;
      if (verb == "repeat") words >> count;
      std::string text;
      std::getline(words >> std::ws, text);
      const std::string path = Expand(a);
      MakeParents(path);
      std::ofstream(path, std::ios::binary | std::ios::app)
          << Repeated(Unescaped(text), count < 0 ? 0 : count);
    } else if (verb == "folder") {
      words >> a;
      MakeParents(Expand(a) + "/");
    } else if (verb == "link") {
      words >> a >> b;
      MakeParents(Expand(a));
      if (symlink(Expand(b).c_str(), Expand(a).c_str()) != 0) return 1;
    } else if (verb == "setting") {
      std::string section, key, value;
      words >> section >> key;
      std::getline(words >> std::ws, value);
      tv::PosixServices services;
      if (!services.settings.Save("Tessaro2017", section, key, value)) return 1;
    } else if (verb == "marker") {
      tv::PosixServices services;
      std::ofstream(services.paths.ProgramFolder() + "search.dat") << "first run marker\r\n";
    } else if (verb != "args" && verb != "after" && verb != "restart" && verb != "screen") {
      std::cerr << "tv_fixture: unknown line " << line << "\n";
      return 1;
    }
  }
  return 0;
}
