// The message loop and event model: wmessage blocks until the user does
// something the program asked to hear about and returns it as a message
// type 1 to 14 and a WindowMessage record.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "toolkit/window/records.h"

namespace tsd {

// Message types.
inline constexpr int kKeyDown = 1;
inline constexpr int kMenuSelect = 2;
inline constexpr int kPushButton = 3;
inline constexpr int kMouseButDown = 4;
inline constexpr int kMouseButUp = 5;
inline constexpr int kMouseMove = 6;
inline constexpr int kExpose = 7;
inline constexpr int kResize = 8;
inline constexpr int kCloseRequest = 9;
inline constexpr int kFieldChanged = 10;
inline constexpr int kFrameButton = 12;
inline constexpr int kTimerExpired = 13;
inline constexpr int kMessageTypes = 14;
// Dialog graphics fields: built as these, returned as types 4 to 7.
inline constexpr int kDialogButtonDown = 104;
inline constexpr int kDialogButtonUp = 105;
inline constexpr int kDialogMouseMove = 106;
inline constexpr int kDialogExpose = 107;

// The record wmessage returns. A value that a type does not define is -1.
struct WindowMessage {
  std::int32_t win = -1;     // window number 0 to 20, or the dialog id of dialog messages
  std::int32_t value1 = -1;
  std::int32_t value2 = -1;
  std::int32_t value3 = -1;
  std::int32_t value4 = -1;
  std::int32_t x = -1;       // window units 0 to 9999 (pixels for dialog graphics fields)
  std::int32_t y = -1;
  float gx2 = -1.0f;         // second corner of an Expose in user units
  float gy2 = -1.0f;
  float gx = -1.0f;          // position in user units
  float gy = -1.0f;
  std::int32_t time = -1;    // message time of the window system in milliseconds
};

// One held message: raw pixel values as built.
struct HeldMessage {
  std::int32_t type = 0;     // 0 = empty
  std::int32_t value[4] = {};
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t time = 0;
};

// The message being built and the loop's state.
struct MessageState {
  int wMessageType = 0;
  int wMessageWin = -1;
  int wMessageValue[4] = {-1, -1, -1, -1};
  int wMessageX = -1;
  int wMessageY = -1;
  int wMessageTime = 0;
  // 1 while wmessage waits; 0 once an enabled message is built (and while
  // the program works between two calls); 2 when a built message is to be
  // processed but not returned.
  int wValidMessage = 0;
  int wMessageEnabled[kMessageTypes + 1] = {};  // index 1 to 14
  HeldMessage KRBMessages[kWindowSlots];
  bool bExpectPaintResize = false;   // the loop itself dispatches a paint or size
  plat::HWND hDlgCur = nullptr;      // active modeless dialog (dialog manager)
  bool block118 = false;             // the caret-blink timer is no longer dispatched
  bool built = false;                // the last interpretation built a message
};

extern MessageState wmsg;

// wmessage (itype, message): the next enabled message. Never fails.
void wmessage(int& itype, WindowMessage& message);

// Enable flags at start and after windowclose: 1, 2, 3, 4, 7, 8, 9, 13, 14 on.
void yyresetmessageflags();
// Set or read the enable flag of a message type 1 to 14.
void yyenablemessage(int type, int flag);
void yyinfomessage(int type, int& flag);
// Empty every held slot.
void yyclearheld();

// Build a message from a window-system message (window procedures).
// type 1 to 14 or the dialog graphics-field types 104 to 107; sub is the
// key kind, mouse button or dialog entry; hwnd the window it came to.
void yyinterpretmessage(int type, int sub, plat::WPARAM wparam, plat::LPARAM lparam, plat::HWND hwnd);
// Build a message whose values the caller has worked out (the dialog
// manager's push-button and field messages): WIN and four values, X, Y.
void yybuildmessage(int type, int win, int v1, int v2, int v3, int v4, int x, int y);
// After a paint or size of a client window: hold the built message in the
// window's slot when it arrived while the program was busy.
void yyholdmessage(int index);

// Wait for and return the next built or held message (raw pixel values);
// valid is false for a message that is processed but not returned.
void yydispatchnextmessage(int& itype, WindowMessage& message, bool& valid);
// As above, but itype = -1 at once when no window-system message waits.
void yydispatchpeekmessage(int& itype, WindowMessage& message, bool& valid);
// Convert a returned message's coordinates (window units, user units).
void yyevent(int itype, WindowMessage& message);

}  // namespace tsd
