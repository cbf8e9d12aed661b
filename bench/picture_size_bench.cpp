// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a picture's size from its header, for real JPEGs and for files that only start
// like one: each costs a bounded read, however large the file. Prints the time per call
// and the bytes read, against one 32-byte read of a file.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "reduced_pictures/picture_size.h"

namespace {

// The real file system, counting the bytes read through it.
class CountingFileSystem : public tv::PosixFileSystem {
 public:
  uint64_t bytes_read = 0;
  std::unique_ptr<tv::RandomAccessFile> Open(const std::string& path) override {
    auto file = PosixFileSystem::Open(path);
    return file ? std::make_unique<Counted>(std::move(file), bytes_read) : nullptr;
  }

 private:
  class Counted : public tv::RandomAccessFile {
   public:
    Counted(std::unique_ptr<tv::RandomAccessFile> file, uint64_t& count)
        : file_(std::move(file)), count_(count) {}
    uint64_t Length() const override { return file_->Length(); }
    size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
      size_t got = file_->ReadAt(offset, buffer, n);
      count_ += got;
      return got;
    }

   private:
    std::unique_ptr<tv::RandomAccessFile> file_;
    uint64_t& count_;
  };
};

std::string Marker(int code, size_t length) {
  std::string s = {'\xFF', static_cast<char>(code)};
  s += static_cast<char>((length >> 8) & 255);
  s += static_cast<char>(length & 255);
  return s;
}

const std::string kFrame("\xFF\xC0\x00\x11\x08\x0B\xB8\x0F\xA0", 9);  // 4000 x 3000

// Writes `head` and makes the file `length` bytes long; what is not written stays a hole.
void Make(const std::string& path, const std::string& head, uint64_t length) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (write(fd, head.data(), head.size()) != static_cast<ssize_t>(head.size()))
    std::perror(path.c_str());
  if (ftruncate(fd, static_cast<off_t>(length)) != 0) std::perror(path.c_str());
  close(fd);
}

double Measure(const char* what, const std::string& path, int rounds) {
  CountingFileSystem fs;
  tv::PictureSize size = tv::GetPictureSize(fs, path);
  const uint64_t bytes = fs.bytes_read;
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) tv::GetPictureSize(fs, path);
  auto t1 = std::chrono::steady_clock::now();
  double us = std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
  std::printf("%-54s %5d x %-5d %9.2f us %9llu bytes read\n", what, size.width, size.height, us,
              static_cast<unsigned long long>(bytes));
  return us;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tessaview-bench.XXXXXX";
  const std::string root = mkdtemp(pattern);
  constexpr uint64_t kGigabyte = uint64_t{1} << 30;
  const int rounds = 5000;

  // A small JPEG header.
  Make(root + "/small.jpg", "\xFF\xD8" + Marker(0xE0, 16) + std::string(14, 'j') + kFrame, 2048);
  // 20 MB with a 60 KB metadata segment before the frame.
  Make(root + "/big.jpg",
       "\xFF\xD8" + Marker(0xE1, 60 * 1024 + 2) + std::string(60 * 1024, 'm') + kFrame, 20 << 20);
  // 300 metadata segments of 60 KB (18 MB) before the frame.
  std::string many = "\xFF\xD8";
  for (int i = 0; i < 300; ++i) many += Marker(0xE2, 60002) + std::string(60000, 'i');
  Make(root + "/many.jpg", many + kFrame, many.size() + 4096);
  // 1 GB that only starts like a JPEG: 8 MB of fill bytes, then a hole of zeros.
  Make(root + "/fill.jpg", "\xFF\xD8\xFF" + std::string(8 << 20, '\xFF'), kGigabyte);
  Make(root + "/zeros.jpg", "\xFF\xD8\xFF", kGigabyte);
  // 1 GB of back-to-back segments of the longest length, no frame.
  {
    Make(root + "/chain.jpg", "\xFF\xD8", kGigabyte);
    int fd = open((root + "/chain.jpg").c_str(), O_WRONLY | O_CLOEXEC);
    const std::string header = Marker(0xE1, 0xFFFE);
    for (uint64_t at = 2; at + 4 < kGigabyte; at += 0x10000) {
      if (pwrite(fd, header.data(), 4, static_cast<off_t>(at)) != 4) break;
    }
    close(fd);
  }

  double small = Measure("small JPEG (2 KB)", root + "/small.jpg", rounds);
  Measure("JPEG, 20 MB, 60 KB metadata", root + "/big.jpg", rounds);
  Measure("JPEG, 300 metadata segments (18 MB) before the frame", root + "/many.jpg", rounds);
  double fill = Measure("1 GB: FF D8 FF, 8 MB of FF bytes, then a hole", root + "/fill.jpg", 500);
  double zeros = Measure("1 GB: FF D8 FF, then a hole of zeros", root + "/zeros.jpg", 500);
  double chain = Measure("1 GB: 16384 segments of 64 KB, no frame", root + "/chain.jpg", 500);

  char buf[32];
  const std::string path = root + "/big.jpg";
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (pread(fd, buf, sizeof buf, 0) < 0) std::perror("pread");
    close(fd);
  }
  auto t1 = std::chrono::steady_clock::now();
  double baseline = std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
  std::printf("%-54s %23.2f us\n", "baseline: open + one 32-byte read + close", baseline);
  std::printf("worst 1 GB file against the small JPEG: %.1f times\n",
              std::max({fill, zeros, chain}) / small);
  std::filesystem::remove_all(root);
  return 0;
}
