// Whole picture files: reading, writing, and the BMP reader.
#include "toolkit/graphics/picturefile.h"

#include <algorithm>
#include <random>

#include "platform/kernel/kernel.h"
#include "text/letters.h"

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
  return std::string(text::trimmed(filename != nullptr ? filename : ""));
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

namespace {

// The last error of the platform as the routines report it.
int lasterror() { return static_cast<int>(plat::GetLastError()); }

// Creates a new file beside `name`, named like it with ".tmp" and six
// letters or digits; name and handle of the one made, or an invalid handle
// with the system's error.
plat::HANDLE createtemporary(const std::string& name, std::string& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = name + ".tmp";
    for (int i = 0; i < 6; ++i) temp += kLetters[random() % (sizeof(kLetters) - 1)];
    const plat::HANDLE h = plat::CreateFileA(temp.c_str(), plat::GENERIC_WRITE, 0, nullptr, plat::CREATE_NEW,
                                             plat::FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != plat::INVALID_HANDLE_VALUE && h != nullptr) return h;
    const plat::DWORD e = plat::GetLastError();
    if (e != plat::ERROR_FILE_EXISTS && e != plat::ERROR_ALREADY_EXISTS) return plat::INVALID_HANDLE_VALUE;
  }
  return plat::INVALID_HANDLE_VALUE;
}

// Writes all the bytes to the file; false with the system's error.
bool writeall(plat::HANDLE h, const std::vector<std::uint8_t>& bytes, int& oserror) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto n = static_cast<plat::DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
    plat::DWORD put = 0;
    if (!plat::WriteFile(h, bytes.data() + at, n, &put, nullptr)) {
      oserror = lasterror();
      return false;
    }
    if (put == 0) {
      oserror = static_cast<int>(plat::ERROR_WRITE_FAULT);
      return false;
    }
    at += put;
  }
  return true;
}

}  // namespace

int writepicturefile(const char* filename, const std::vector<std::uint8_t>& bytes, int& oserror) {
  oserror = 0;
  const std::string name = picturename(filename);
  if (name.empty()) {
    oserror = static_cast<int>(plat::ERROR_INVALID_NAME);
    return kPictureOpenFailed;
  }
  // A picture that exists is replaced only when this user could write it;
  // it is not changed here.
  bool exists = false;
  {
    FileHandle old(plat::CreateFileA(name.c_str(), plat::GENERIC_WRITE, plat::FILE_SHARE_READ, nullptr,
                                     plat::OPEN_EXISTING, plat::FILE_ATTRIBUTE_NORMAL, nullptr));
    exists = old.ok();
    if (!exists && plat::GetLastError() != plat::ERROR_FILE_NOT_FOUND) {
      oserror = lasterror();
      return kPictureOpenFailed;
    }
  }
  // The new picture goes to a temporary file beside the old one, reaches
  // the disk, and then takes the old one's place in one step: a failure at
  // any point leaves the old picture as it was and removes the temporary.
  std::string temp;
  plat::HANDLE h = createtemporary(name, temp);
  if (h == plat::INVALID_HANDLE_VALUE) {
    oserror = lasterror();
    return kPictureOpenFailed;
  }
  bool ok = writeall(h, bytes, oserror);
  if (ok && !plat::FlushFileBuffers(h)) {
    oserror = lasterror();
    ok = false;
  }
  if (!plat::CloseHandle(h) && ok) {
    oserror = lasterror();
    ok = false;
  }
  if (ok) {
    const bool placed = exists ? plat::ReplaceFileA(name.c_str(), temp.c_str(), nullptr, 0, nullptr, nullptr) != 0
                               : plat::MoveFileA(temp.c_str(), name.c_str()) != 0;
    if (!placed) {
      oserror = lasterror();
      ok = false;
    }
  }
  if (!ok) {
    plat::DeleteFileA(temp.c_str());
    return kPictureBadFile;
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
