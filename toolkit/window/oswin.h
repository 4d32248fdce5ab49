// The toolkit's thin module of operating-system services.
//
// Each routine calls one kernel service of the platform and returns its
// outcome as a status word: 0 for success, else the platform's last error
// code. Texts passed in are NUL-terminated code page 1250; text buffers
// passed out receive a NUL-terminated text and are given with their size.
// File handles are integers, -1 for none. These routines never record
// errors in the error store; their callers do.
#pragma once

#include <cstdint>

namespace tsd {

// ---- Services used by the system ----

// mode 0: open for reading; 1: create (truncate), close, open for writing;
// any other: open an existing file for reading and writing.
void xxopen(const char* name, int mode, int& handle, int& status);
void xxclos(int handle);
// Up to n bytes; count 0 and status = last error on failure.
void xxread(int handle, std::uint8_t* buffer, int n, int& count, int& status);
void xxreadc(int handle, char* buffer, int n, int& count, int& status);
// length: the value's length; 0 when unset; the size needed (with its NUL)
// when size is too small.
void xxgenv(int& length, const char* name, char* value, int size);
void xxsysdir(char* buffer, int& status, int size);
void xxdirn(char* buffer, int& status, int size);
void xxdirc(const char* directory, int& status);

// ---- Further services, which no program calls ----

// Message box owned by the drawing window: error icon, OK button.
void xxmwinmessagebox(const char* title, const char* text);

void xxmwinver(int& major, int& minor);
// 2 Win32s, 3 Windows 9x, 4 NT family (this platform).
void xxmwinvariant(int& kind);
// Starts a program; status is the start service's result (above 31: started).
void xxexec(const char* command, int& status);
void xxwrit(int handle, const std::uint8_t* buffer, int n, int& count, int& status);
void xxwritc(int handle, const char* buffer, int n, int& count, int& status);
// origin 0 start, 1 current position, 2 end; offset out: the new position,
// -1 with status = last error on failure.
void xxseek(int handle, int& offset, int origin, int& status);
void xxdate(int& year, int& month, int& day);
// The fourth value is the milliseconds field of the local time.
void xxtime(int& hour, int& minute, int& second, int& hundredths);
// Milliseconds since system start divided by 10.
void xxmwincurrtime(int& time);
// Free bytes of the current drive, saturated at 2147483647.
void xxdspace(int& bytes);
[[noreturn]] void xxexit(int code);
void xxdird(const char* directory, int& status);
void xxdirm(const char* directory, int& status);
void xxdelf(const char* name, int& status);
void xxrenf(const char* old_name, const char* new_name, int& status);
// Copies, overwriting the target.
void xxcopyf(const char* from, const char* to, int& status);
// wait != 0: start and wait up to timeout seconds (negative: no limit);
// status 0, -1 on timeout, or last error. wait == 0: start without waiting;
// status 0 when started, else the start service's code (below 32). There is
// no console window to show or hide here.
void xxcmnd(const char* command, int hidden, int wait, int timeout, int& status);
// mode 0 starts a search with the pattern in name; other modes continue it.
// name receives the found file's name (cut to name_size - 1). datetime:
// local modification time, MS-DOS date in the high 16 bits and time in the
// low 16 bits. status 0; 1 at the end of a continued search; the last error
// when a new search finds nothing.
void xxfind(int mode, char* name, int name_size, int& attributes, int& datetime, int& size,
            int& status);
void xxfindclose();
void xxgetcl(char* buffer, int size);
void xxgetexe(char* buffer, int size);
// Waits that many hundredths of a second while dispatching window
// messages; a timer with id 999 on the drawing window ends the wait.
// Nothing to wait for below one hundredth or without a drawing window.
void xxwait(int hundredths);
// Appends text and a line end to the file "debug" in the current directory,
// created empty at the run's first debug output.
void xxdebug(const char* text);
// The same with the line "text = value".
void xxdebugi(const char* text, int value);

}  // namespace tsd
