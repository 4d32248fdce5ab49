// Whole picture files: reading, writing, and the BMP reader.
#include "toolkit/graphics/picturefile.h"

#include <algorithm>

#include "platform/kernel/kernel.h"

namespace tsd {

namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(plat::HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (ok()) plat::CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool ok() const { return h_ != plat::INVALID_HANDLE_VALUE && h_ != nullptr; }
  plat::HANDLE get() const { return h_; }

 private:
  plat::HANDLE h_;
};

}  // namespace

std::string picturename(const char* filename) {
  std::string name = filename != nullptr ? filename : "";
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

int readpicturefile(const char* filename, std::vector<std::uint8_t>& bytes, int& oserror) {
  oserror = 0;
  bytes.clear();
  const std::string name = picturename(filename);
  FileHandle f(plat::CreateFileA(name.c_str(), plat::GENERIC_READ, plat::FILE_SHARE_READ, nullptr,
                                 plat::OPEN_EXISTING, plat::FILE_ATTRIBUTE_NORMAL, nullptr));
  if (name.empty() || !f.ok()) {
    oserror = name.empty() ? static_cast<int>(plat::ERROR_FILE_NOT_FOUND) : static_cast<int>(plat::GetLastError());
    return kPictureOpenFailed;
  }
  constexpr plat::DWORD kChunk = 1u << 16;
  for (;;) {
    const std::size_t at = bytes.size();
    if (at > kPictureMaxFileBytes) {
      bytes.clear();
      return kPictureBadFile;
    }
    bytes.resize(at + kChunk);
    plat::DWORD got = 0;
    if (!plat::ReadFile(f.get(), bytes.data() + at, kChunk, &got, nullptr)) {
      bytes.clear();
      return kPictureBadFile;
    }
    bytes.resize(at + got);
    if (got == 0) return kPictureOk;
  }
}

int writepicturefile(const char* filename, const std::vector<std::uint8_t>& bytes, int& oserror) {
  oserror = 0;
  const std::string name = picturename(filename);
  FileHandle f(name.empty() ? plat::INVALID_HANDLE_VALUE
                            : plat::CreateFileA(name.c_str(), plat::GENERIC_WRITE, 0, nullptr,
                                                plat::CREATE_ALWAYS, plat::FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) {
    oserror = name.empty() ? static_cast<int>(plat::ERROR_INVALID_NAME) : static_cast<int>(plat::GetLastError());
    return kPictureOpenFailed;
  }
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto n = static_cast<plat::DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
    plat::DWORD put = 0;
    if (!plat::WriteFile(f.get(), bytes.data() + at, n, &put, nullptr) || put == 0) return kPictureBadFile;
    at += put;
  }
  return kPictureOk;
}

int xxreaddib(const char* filename, BmpImage& image, int& oserror) {
  std::vector<std::uint8_t> bytes;
  const int status = readpicturefile(filename, bytes, oserror);
  if (status != kPictureOk) return status;
  return decode_bmp(bytes, image);
}

}  // namespace tsd
