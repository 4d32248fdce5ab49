// A disk that is full: a small tmpfs mounted for one test and filled up to
// a few bytes, where the process may mount (as root in CI). Where it may
// not, mounted() is false and the test falls back to a file size limit
// (write_limit.h), saying so in its output: a test never skips silently.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace tsd::testkit {

class SmallDisk {
 public:
  // Mounts a tmpfs of `bytes` on the (new, empty) folder `dir`.
  SmallDisk(const std::string& dir, std::size_t bytes) : dir_(dir) {
    std::filesystem::create_directories(dir_);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = mount("tmpfs", dir_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) why_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted_) umount2(dir_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  // Why it could not be mounted.
  const std::string& why() const { return why_; }
  // Fills the disk with a file of its own until a write fails: what is
  // written next fails as soon as the last block of the file it goes to is
  // full. True when the disk was filled.
  bool fill() const {
    std::FILE* f = std::fopen((dir_ + "/.filler").c_str(), "wb");
    if (f == nullptr) return false;
    std::setvbuf(f, nullptr, _IONBF, 0);
    const std::string block(512, 'f');
    bool full = false;
    for (int i = 0; i < 1 << 20 && !full; ++i) full = std::fwrite(block.data(), 1, block.size(), f) != block.size();
    for (int i = 0; i < 4096 && full; ++i) std::fputc('f', f);  // the last bytes a block can take
    std::fclose(f);
    return full;
  }

 private:
  std::string dir_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace tsd::testkit
