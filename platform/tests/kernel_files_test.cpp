// File, directory, environment and search services of the kernel.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/kernel/kernel.h"
#include "text/cp1250.h"

namespace {

using namespace plat;

class KernelFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("tsd_kernel_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

TEST_F(KernelFiles, CreateWriteReadAndTheThreeModes) {
  std::string p = path("a.bin");
  HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  EXPECT_TRUE(WriteFile(h, "hello", 5, &n, nullptr));
  EXPECT_EQ(n, 5u);
  char one[1];
  EXPECT_FALSE(ReadFile(h, one, 1, &n, nullptr)) << "write-only handle";
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h)) << "closed twice";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  h = CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char buf[16] = {};
  EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(n, 5u);
  EXPECT_EQ(std::string(buf, n), "hello");
  EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr)) << "end of file reads 0 bytes";
  EXPECT_EQ(n, 0u);
  EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr)) << "read-only handle";
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetFilePointer(h, 1, nullptr, FILE_BEGIN), 1u);
  EXPECT_TRUE(ReadFile(h, buf, 2, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "el");
  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_END), 4u);
  EXPECT_EQ(SetFilePointer(h, -10, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  CloseHandle(h);

  // Read and write on an existing file.
  h = CreateFileA(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteFile(h, "J", 1, &n, nullptr));
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  EXPECT_TRUE(ReadFile(h, buf, 5, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "Jello");
  CloseHandle(h);

  std::string missing = path("none/b.bin");
  EXPECT_EQ(CreateFileA(path("nofile").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND) << "missing directory";
  EXPECT_EQ(CreateFileA(missing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_EQ(CreateFileA(dir_.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE) << "a directory is not a file";
}

TEST_F(KernelFiles, NamesAreCodePage1250Inside) {
  std::string name = text::cp1250_from_utf8(path("żółw.txt"));
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "żółw.txt")) << "UTF-8 on the host";

  WIN32_FIND_DATAA fd;
  std::string pat = text::cp1250_from_utf8(path("*.TXT"));
  HANDLE s = FindFirstFileA(pat.c_str(), &fd);
  ASSERT_NE(s, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::string(fd.cFileName), text::cp1250_from_utf8("żółw.txt"));
  EXPECT_FALSE(FindNextFileA(s, &fd));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(s));
  EXPECT_EQ(FindFirstFileA(path("*.none").c_str(), &fd), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(KernelFiles, DirectoriesAndWholeFileOperations) {
  std::string sub = path("sub");
  EXPECT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  EXPECT_FALSE(CreateDirectoryA(sub.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  std::ofstream(path("sub/f")) << "abc";
  EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
  EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
  EXPECT_TRUE(CopyFileA(path("sub/f").c_str(), path("g").c_str(), TRUE));
  EXPECT_FALSE(CopyFileA(path("sub/f").c_str(), path("g").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_TRUE(CopyFileA(path("sub/f").c_str(), path("g").c_str(), FALSE));
  EXPECT_FALSE(MoveFileA(path("g").c_str(), path("sub/f").c_str())) << "target exists";
  EXPECT_TRUE(MoveFileA(path("g").c_str(), path("h").c_str()));
  EXPECT_TRUE(DeleteFileA(path("h").c_str()));
  EXPECT_FALSE(DeleteFileA(path("h").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(DeleteFileA(path("sub/f").c_str()));
  EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));

  DWORD spc = 0, bps = 0, fc = 0, tc = 0;
  EXPECT_TRUE(GetDiskFreeSpaceA(nullptr, &spc, &bps, &fc, &tc));
  EXPECT_GT(spc * bps, 0u);
}

TEST_F(KernelFiles, CurrentDirectoryLengthRules) {
  char old[4096];
  DWORD n = GetCurrentDirectoryA(sizeof old, old);
  ASSERT_GT(n, 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.string().c_str()));
  char small[2] = {'x', 'x'};
  DWORD need = GetCurrentDirectoryA(sizeof small, small);
  EXPECT_EQ(need, dir_.string().size() + 1) << "the size needed, with its NUL";
  EXPECT_EQ(small[0], 'x') << "buffer untouched";
  char buf[4096];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buf, buf), dir_.string().size());
  EXPECT_EQ(std::string(buf), std::filesystem::canonical(dir_).string());
  EXPECT_FALSE(SetCurrentDirectoryA(path("missing").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(SetCurrentDirectoryA(old));
}

TEST(KernelEnvironment, VariablesSystemDirectoryVersion) {
  ::setenv("TSD_KERNEL_TEST", "wartość", 1);
  char buf[32];
  std::string want = text::cp1250_from_utf8("wartość");
  EXPECT_EQ(GetEnvironmentVariableA("TSD_KERNEL_TEST", buf, sizeof buf), want.size());
  EXPECT_EQ(std::string(buf), want) << "code page 1250 inside";
  EXPECT_EQ(GetEnvironmentVariableA("TSD_KERNEL_TEST", buf, 7), want.size() + 1) << "needed size";
  EXPECT_EQ(GetEnvironmentVariableA("TSD_KERNEL_TEST", buf, 8), want.size()) << "exactly fits";
  ::unsetenv("TSD_KERNEL_TEST");
  EXPECT_EQ(GetEnvironmentVariableA("TSD_KERNEL_TEST", buf, sizeof buf), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);

  EXPECT_EQ(GetSystemDirectoryA(buf, sizeof buf), 8u);
  EXPECT_STREQ(buf, "/usr/lib");
  EXPECT_EQ(GetSystemDirectoryA(buf, 4), 9u);

  OSVERSIONINFOA v;
  ASSERT_TRUE(GetVersionExA(&v));
  EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_GT(v.dwMajorVersion, 0u);
  EXPECT_EQ(GetVersion() & 0xff, v.dwMajorVersion & 0xff);
  EXPECT_EQ(GetVersion() & 0x80000000u, 0u);

  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
  char exe[4096];
  DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(GetModuleHandleA(exe), GetModuleHandleA(nullptr));
}

TEST(KernelEnvironment, ProcessesAndTimes) {
  HANDLE p = StartProcess("exit 0");
  ASSERT_NE(p, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(p));
  p = StartProcess("sleep 0.3");
  ASSERT_NE(p, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WaitForSingleObject(p, 50), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  CloseHandle(p);
  EXPECT_GT(WinExec("true", SW_HIDE), 31u);

  FILETIME ft{0, 0};
  WORD d = 0, t = 0;
  EXPECT_FALSE(FileTimeToDosDateTime(&ft, &d, &t)) << "1601 is before 1980";
  // 2000-01-02 03:04:06 UTC.
  unsigned long long v = 116444736000000000ull + 946782246ull * 10000000ull;
  ft = FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &d, &t));
  EXPECT_EQ(d, (20 << 9) | (1 << 5) | 2);
  EXPECT_EQ(t, (3 << 11) | (4 << 5) | 3);
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_GE(st.wYear, 2024);
}

}  // namespace
