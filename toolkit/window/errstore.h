// The toolkit's error store.
//
// No toolkit routine stops the program on a bad argument or a failed
// operation: it records a code here and returns. A caller that cares asks
// infoerror afterwards, which returns a word of the store and clears it.
#pragma once

#include <cstdint>

namespace tsd {

// The single shared error store.
struct ErrState {
  std::int32_t code = 0;         // last error code, 0 for none
  std::int32_t os_status = 0;    // operating-system status of the last failed file operation
  std::int32_t extra = 0;        // extra code: the common dialog's extended error
  std::int32_t debug_level = 0;  // 0 to 4; stored, never read by this system
};

extern ErrState errstate;

// Error codes and the routines that raise them.
inline constexpr int kErrFileOpen = 1;          // character-set or binary file cannot be opened
inline constexpr int kErrFileRead = 2;          // read error in a binary or character-set file
inline constexpr int kErrIntegerRange = 4;      // number does not fit a 32-bit integer
inline constexpr int kErrBlankText = 10;        // text is blank
inline constexpr int kErrNotDigit = 12;         // a character is not a digit
inline constexpr int kErrUserUnits = 16;        // invalid user units
inline constexpr int kErrFormat = 18;           // number does not fit the format, or bad format
inline constexpr int kErrRadius = 20;           // radius or axis ratio not positive
inline constexpr int kErrColourNumber = 42;     // colour number outside 0 to 255
inline constexpr int kErrArea = 44;             // area fractions outside 0..1 or not ascending
inline constexpr int kErrFillEdges = 49;        // too many edges for the fill algorithm
inline constexpr int kErrText = 53;             // text cannot be drawn as asked
inline constexpr int kErrMenuItem = 1001;       // menu item not found
inline constexpr int kErrWindowNumber = 1003;   // invalid window number
inline constexpr int kErrCommonDialog = 1004;   // common dialog or message box failed
inline constexpr int kErrNoDialog = 1005;       // no current dialog
inline constexpr int kErrField = 1006;          // field missing or of the wrong kind
inline constexpr int kErrDialogLoad = 1007;     // dialog cannot be loaded
inline constexpr int kErrDialogNotLoaded = 1008;
inline constexpr int kErrNoRadioSet = 1010;     // no button of the group is set
inline constexpr int kErrShowType = 1014;       // show type changed
inline constexpr int kErrRootHidden = 1016;     // child dialog while the root window is hidden

// Records code as the last error (a later error overwrites an earlier one).
void xxerror(int code);
// Item 1: the last error code; item 2: the operating-system status; any
// other item: the extra code. The word returned is cleared.
int infoerror(int item);
// Sets the debug level when it is 0 to 4; otherwise leaves it unchanged.
void idebuglevel(int level);

}  // namespace tsd
