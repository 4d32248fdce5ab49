// Binary file routines of the graphics layer: open, read and close through
// the operating-system services, failures recorded in the error store.
#include <algorithm>
#include <cstring>

#include "toolkit/graphics/grfont.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/strings.h"

namespace tsd {

namespace {

void openfailed(int& handle, int status) {
  handle = -1;
  xxerror(kErrFileOpen);
  errstate.os_status = status;
}

void readresult(int count, int status, int& nread) {
  if (status == 0) {
    nread = count;
    return;
  }
  xxerror(kErrFileRead);
  errstate.os_status = status;
  nread = -1;
}

}  // namespace

int ifileopen(std::string_view name, int mode, int& handle) {
  const int first = ilocatechar(name);
  const int last = iactuallength(name);
  if (first == 0) {
    openfailed(handle, 0);
    return 0;
  }
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(last - first + 1),
                                                   kTextBufLength);
  std::memcpy(grtextbuf, name.data() + (first - 1), length);
  grtextbuf[length] = '\0';
  if (mode < 0 || mode > 2) {
    openfailed(handle, 0);
    return 0;
  }
  int status = 0;
  xxopen(grtextbuf, mode, handle, status);
  if (status != 0 || handle == -1) openfailed(handle, status);
  return 0;
}

int ifileread(int handle, std::uint8_t* buffer, int n, int& nread) {
  int count = 0;
  int status = 0;
  xxread(handle, buffer, std::max(n, 0), count, status);
  readresult(count, status, nread);
  return 0;
}

int ifilereadchar(int handle, char* buffer, int n, int& nread) {
  int count = 0;
  int status = 0;
  xxreadc(handle, buffer, std::max(n, 0), count, status);
  readresult(count, status, nread);
  return 0;
}

int ifileclose(int handle) {
  xxclos(handle);
  return 0;
}

namespace {
int readany(int handle, void* buffer, int n, int& nread) {
  return ifileread(handle, static_cast<std::uint8_t*>(buffer), n, nread);
}
}  // namespace

int ifileread1(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread2(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread3(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread4(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread5(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread6(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread7(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifileread8(int handle, void* buffer, int n, int& nread) { return readany(handle, buffer, n, nread); }
int ifilereadchar1(int handle, char* buffer, int n, int& nread) {
  return ifilereadchar(handle, buffer, n, nread);
}
int ifilereadchar2(int handle, char* buffer, int n, int& nread) {
  return ifilereadchar(handle, buffer, n, nread);
}

}  // namespace tsd
