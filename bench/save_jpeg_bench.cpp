// SPDX-License-Identifier: GPL-3.0-or-later
// SaveJpeg of a 1920 x 20000 page (a gradient produced band by band) against
// `cjpeg -quality 80` on the same pixels written as a PPM file.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/save_jpeg.h"

extern char** environ;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 20000;

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Gradient(int first_row, int rows, uint8_t* rgb) {
  for (int y = first_row; y < first_row + rows; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      *rgb++ = static_cast<uint8_t>(x * 255 / (kWidth - 1));
      *rgb++ = static_cast<uint8_t>(y % 512 < 256 ? y % 256 : 511 - y % 512);
      *rgb++ = static_cast<uint8_t>((x + y) & 255);
    }
  }
}

bool WritePpm(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
  std::vector<uint8_t> band(static_cast<size_t>(kWidth) * 3 * 256);
  for (int y = 0; y < kHeight; y += 256) {
    const int rows = std::min(256, kHeight - y);
    Gradient(y, rows, band.data());
    std::fwrite(band.data(), 1, static_cast<size_t>(kWidth) * 3 * rows, f);
  }
  return std::fclose(f) == 0;
}

double RunCjpeg(const std::string& ppm, const std::string& out) {
  std::vector<std::string> args{"cjpeg", "-quality", "80", "-outfile", out, ppm};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawnp(&pid, "cjpeg", nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Ms(std::chrono::steady_clock::now() - t0);
}

double SaveOurs(const std::string& out) {
  auto t0 = std::chrono::steady_clock::now();
  bool ok = tv::SaveJpeg(
      [](int first, int rows, uint8_t* rgb) {
        Gradient(first, rows, rgb);
        return true;
      },
      kWidth, kHeight, out, 80);
  return ok ? Ms(std::chrono::steady_clock::now() - t0) : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tessaview-bench.XXXXXX";
  const std::string root = mkdtemp(pattern);
  const std::string ppm = root + "/page.ppm";
  if (!WritePpm(ppm)) return 1;
  RunCjpeg(ppm, root + "/warm.jpg");  // the PPM in the cache, the program loaded once
  std::vector<double> ours, theirs;
  for (int r = 0; r < 5; ++r) {
    theirs.push_back(RunCjpeg(ppm, root + "/cjpeg.jpg"));
    ours.push_back(SaveOurs(root + "/ours.jpg"));
  }
  const double o = Median(ours), t = Median(theirs);
  std::printf("page: %d x %d\n", kWidth, kHeight);
  std::printf("cjpeg -quality 80 (PPM in): %.1f ms, %ju bytes\n", t,
              static_cast<uintmax_t>(std::filesystem::file_size(root + "/cjpeg.jpg")));
  std::printf("SaveJpeg quality 80 (bands generated): %.1f ms, %ju bytes\n", o,
              static_cast<uintmax_t>(std::filesystem::file_size(root + "/ours.jpg")));
  std::printf("ratio: %.2f (goal: at most 1.3)\n", o / t);
  std::filesystem::remove_all(root);
  return o < 0 || t < 0;
}
