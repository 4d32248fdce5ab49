// The scripted user: a plain-text script of user actions, one a line, that
// the headless backend performs one at a time whenever the program waits
// for input. The format is described in platform/README.md.
#pragma once

#include <string>
#include <vector>

#include "platform/display/input_event.h"

namespace plat::headless {

// One parsed line: the verb and its arguments (quoted texts unquoted and
// converted to code page 1250), and where it came from.
struct ScriptAction {
  int line = 0;
  std::string source;  // the line as written (UTF-8), for the log
  std::string verb;
  std::vector<std::string> args;
};

// Split a script into actions; blank lines and lines starting with '#' are
// skipped. A malformed line (an unterminated quote) gives an error naming it.
bool parse_script(const std::string& text, std::vector<ScriptAction>* out, std::string* error);

// Split one line into words; "double quoted" words may hold blanks, and
// \" and \\ inside them stand for " and \.
bool split_words(const std::string& line, std::vector<std::string>* words);

// A key name as the script writes it ("Enter", "F5", "a", "Num7", ...):
// its virtual key, whether it is on the numeric pad, and the Shift the
// character needs ("A" and "?" need it). False for an unknown name.
bool key_from_name(const std::string& name, UINT* vk, bool* keypad, bool* needs_shift);
// Modifiers and key of a chord such as "Ctrl+Shift+F1".
bool parse_chord(const std::string& chord, unsigned* mods, UINT* vk, bool* keypad);

// Where a performed action goes: the events it produces, in order.
struct ScriptOutcome {
  std::vector<InputEvent> events;
  std::string screenshot;   // a file to write the composed screen to
  int wait_ms = 0;          // time to let pass with no input
  std::string error;        // the action could not be performed
};

// Turn one action into input events, asking the window manager where
// windows are through hooks.
ScriptOutcome perform(const ScriptAction& a, const DesktopHooks& hooks);

}  // namespace plat::headless
