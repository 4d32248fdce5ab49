// Parsing the scripted user's script and turning its actions into input
// events. The actions never touch program state: they are keys, text and
// mouse events aimed at windows, and host requests (resize, expose, close).
#include "platform/display/headless/script.h"

#include <cctype>
#include <cstdlib>
#include <strings.h>

#include "platform/user/user_constants.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace plat::headless {

bool split_words(const std::string& line, std::vector<std::string>* words) {
  words->clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) break;
    std::string w;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i < line.size()) {
          w += line[i++];
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          w += c;
        }
      }
      if (!closed) return false;
      // Quoted words are texts: code page 1250 inside the program; a
      // character it cannot show is typed as the keyboard would type it.
      words->push_back("\x01" + text::cp1250_from_utf8(w, text::kNoCp1250));
      continue;
    }
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') w += line[i++];
    words->push_back(w);
  }
  return true;
}

bool parse_script(const std::string& text, std::vector<ScriptAction>* out, std::string* error) {
  out->clear();
  std::size_t pos = 0;
  int line_no = 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? text.size() + 1 : nl + 1;
    ++line_no;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::vector<std::string> words;
    if (!split_words(line, &words)) {
      *error = "script line " + std::to_string(line_no) + ": unterminated quote";
      return false;
    }
    ScriptAction a;
    a.line = line_no;
    a.source = line.substr(first);
    a.verb = text::asciilower(words[0]);
    a.args.assign(words.begin() + 1, words.end());
    out->push_back(std::move(a));
  }
  return true;
}

namespace {

bool is_text(const std::string& w) { return !w.empty() && w[0] == '\x01'; }
std::string text_of(const std::string& w) { return is_text(w) ? w.substr(1) : w; }

bool to_int(const std::string& w, int* v) {
  if (w.empty() || is_text(w)) return false;
  char* end = nullptr;
  long x = std::strtol(w.c_str(), &end, 10);
  if (*end || x < -100000 || x > 100000) return false;
  *v = static_cast<int>(x);
  return true;
}

bool same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

struct NamedKey {
  const char* name;
  UINT vk;
  bool keypad;
};

const NamedKey kNamedKeys[] = {
    {"Enter", VK_RETURN, false},      {"Return", VK_RETURN, false},    {"Escape", VK_ESCAPE, false},
    {"Esc", VK_ESCAPE, false},        {"Tab", VK_TAB, false},          {"Space", VK_SPACE, false},
    {"Backspace", VK_BACK, false},    {"Delete", VK_DELETE, false},    {"Del", VK_DELETE, false},
    {"Insert", VK_INSERT, false},     {"Ins", VK_INSERT, false},       {"Home", VK_HOME, false},
    {"End", VK_END, false},           {"PageUp", VK_PRIOR, false},     {"PgUp", VK_PRIOR, false},
    {"PageDown", VK_NEXT, false},     {"PgDn", VK_NEXT, false},        {"Up", VK_UP, false},
    {"Down", VK_DOWN, false},         {"Left", VK_LEFT, false},        {"Right", VK_RIGHT, false},
    {"Pause", VK_PAUSE, false},       {"PrintScreen", VK_SNAPSHOT, false},
    {"Shift", VK_SHIFT, false},       {"Ctrl", VK_CONTROL, false},     {"Alt", VK_MENU, false},
    {"NumPlus", VK_ADD, true},        {"NumMinus", VK_SUBTRACT, true}, {"NumMultiply", VK_MULTIPLY, true},
    {"NumDivide", VK_DIVIDE, true},   {"NumDecimal", VK_DECIMAL, true}, {"NumEnter", VK_RETURN, true},
    {"Clear", VK_CLEAR, true},
};

// Characters typed with the punctuation keys of a US keyboard.
struct PunctKey {
  char plain, shifted;
  UINT vk;
};
const PunctKey kPunct[] = {
    {';', ':', VK_OEM_1},  {'=', '+', VK_OEM_PLUS},   {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS},
    {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2}, {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},
    {'\\', '|', VK_OEM_5}, {']', '}', VK_OEM_6},      {'\'', '"', VK_OEM_7},
};

// The key that types an ASCII character, or false.
bool key_for_char(unsigned char c, UINT* vk, bool* shift) {
  *shift = false;
  if (c >= 'a' && c <= 'z') { *vk = c - 'a' + 'A'; return true; }
  if (c >= 'A' && c <= 'Z') { *vk = c; *shift = true; return true; }
  if (c >= '0' && c <= '9') { *vk = c; return true; }
  if (c == ' ') { *vk = VK_SPACE; return true; }
  static const char shifted_digits[] = ")!@#$%^&*(";
  for (int d = 0; d < 10; ++d)
    if (c == static_cast<unsigned char>(shifted_digits[d])) { *vk = '0' + d; *shift = true; return true; }
  for (const PunctKey& p : kPunct) {
    if (c == static_cast<unsigned char>(p.plain)) { *vk = p.vk; return true; }
    if (c == static_cast<unsigned char>(p.shifted)) { *vk = p.vk; *shift = true; return true; }
  }
  return false;
}

void push_key(std::vector<InputEvent>* ev, HWND w, UINT vk, bool keypad, unsigned mods, bool down) {
  InputEvent e;
  e.kind = down ? InputKind::key_down : InputKind::key_up;
  e.window = w;
  e.vk = vk;
  e.keypad = keypad;
  e.mods = mods;
  ev->push_back(e);
}

// A full key press with its modifiers pressed around it.
void press_chord(std::vector<InputEvent>* ev, HWND w, unsigned mods, UINT vk, bool keypad) {
  unsigned held = 0;
  const std::pair<unsigned, UINT> order[] = {{kModCtrl, VK_CONTROL}, {kModAlt, VK_MENU}, {kModShift, VK_SHIFT}};
  for (auto [m, k] : order)
    if ((mods & m) && vk != k) {
      held |= m;
      push_key(ev, w, k, false, held, true);
    }
  push_key(ev, w, vk, keypad, mods, true);
  push_key(ev, w, vk, keypad, mods, false);
  for (int i = 2; i >= 0; --i)
    if ((held & order[i].first)) {
      held &= ~order[i].first;
      push_key(ev, w, order[i].second, false, held, false);
    }
}

// The window an action aims at: "in <title>" at the end of its arguments,
// else the active window.
HWND aim(std::vector<std::string>* args, const DesktopHooks& h, std::string* error) {
  if (args->size() >= 2 && same((*args)[args->size() - 2], "in")) {
    std::string title = text_of(args->back());
    args->resize(args->size() - 2);
    HWND w = h.find_window ? h.find_window(title) : nullptr;
    if (!w) *error = "no window titled \"" + text::utf8_from_cp1250(title) + "\"";
    return w;
  }
  HWND w = h.active_window ? h.active_window() : nullptr;
  if (!w) *error = "no active window";
  return w;
}

void mouse_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  std::vector<std::string> args = a.args;
  HWND w = aim(&args, h, &out->error);
  if (!w) return;
  // wheel up|down [NOTCHES] X Y: the wheel turned over a point.
  int notches = 0;
  if (a.verb == "wheel") {
    const bool up = !args.empty() && same(args[0], "up");
    if (args.size() < 3 || (!up && !same(args[0], "down"))) {
      out->error = "expected: wheel up|down [NOTCHES] X Y [in \"title\"]";
      return;
    }
    args.erase(args.begin());
    notches = 1;
    if (args.size() == 3 && (!to_int(args[0], &notches) || notches < 1)) {
      out->error = "expected: wheel up|down [NOTCHES] X Y [in \"title\"]";
      return;
    }
    if (args.size() == 3) args.erase(args.begin());
    if (!up) notches = -notches;
  }
  int button = 1;
  if (!args.empty() && (same(args[0], "left") || same(args[0], "right") || same(args[0], "middle"))) {
    button = same(args[0], "left") ? 1 : same(args[0], "right") ? 3 : 2;
    args.erase(args.begin());
  }
  unsigned mods = 0;
  while (!args.empty() && (same(args[0], "shift") || same(args[0], "ctrl"))) {
    mods |= same(args[0], "shift") ? kModShift : kModCtrl;
    args.erase(args.begin());
  }
  int x = 0, y = 0;
  if (args.size() != 2 || !to_int(args[0], &x) || !to_int(args[1], &y)) {
    out->error = "expected: " + a.verb + " [left|right|middle] [shift] [ctrl] X Y [in \"title\"]";
    return;
  }
  POINT p{x, y};
  HWND top = h.top_level_of ? h.top_level_of(w) : w;
  if (!h.client_to_frame || !h.client_to_frame(w, &p)) {
    out->error = "window is gone";
    return;
  }
  auto push = [&](InputKind k) {
    InputEvent e;
    e.kind = k;
    e.window = top;
    e.pos = p;
    e.button = button;
    e.mods = mods;
    out->events.push_back(e);
  };
  push(InputKind::mouse_move);
  if (a.verb == "move") return;
  if (notches) {
    push(InputKind::mouse_wheel);
    out->events.back().wheel = notches * 120;
    return;
  }
  int clicks = a.verb == "doubleclick" ? 2 : 1;
  if (a.verb == "press") return push(InputKind::mouse_down);
  if (a.verb == "release") return push(InputKind::mouse_up);
  for (int i = 0; i < clicks; ++i) {
    push(InputKind::mouse_down);
    push(InputKind::mouse_up);
  }
}

void key_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  HWND w = h.active_window ? h.active_window() : nullptr;
  if (a.args.empty()) {
    out->error = "expected: key NAME [NAME...] (e.g. key Ctrl+F1)";
    return;
  }
  for (const std::string& chord : a.args) {
    unsigned mods = 0;
    UINT vk = 0;
    bool keypad = false;
    if (!parse_chord(text_of(chord), &mods, &vk, &keypad)) {
      out->error = "unknown key \"" + text::utf8_from_cp1250(text_of(chord)) + "\"";
      out->events.clear();
      return;
    }
    press_chord(&out->events, w, mods, vk, keypad);
  }
}

void type_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  HWND w = h.active_window ? h.active_window() : nullptr;
  if (a.args.size() != 1) {
    out->error = "expected: type \"text\"";
    return;
  }
  for (unsigned char c : text_of(a.args[0])) {
    UINT vk = 0;
    bool shift = false;
    if (key_for_char(c, &vk, &shift)) {
      press_chord(&out->events, w, shift ? kModShift : 0, vk, false);
    } else {
      // A character no key of ours types (Polish letters): as typed text.
      InputEvent e;
      e.kind = InputKind::text;
      e.window = w;
      e.text = std::string(1, static_cast<char>(c));
      out->events.push_back(e);
    }
  }
}

// A control aimed at by id or by its text: "button 1", "button \"OK\"".
bool control_target(const std::string& word, const DesktopHooks& h, HWND top, POINT* p, std::string* error) {
  int id = -1;
  std::string text;
  if (is_text(word) || !to_int(word, &id)) text = text_of(word);
  if (!h.control_point || !h.control_point(top, id, text, p)) {
    *error = "no control " + (id >= 0 ? std::to_string(id) : "\"" + text::utf8_from_cp1250(text) + "\"");
    return false;
  }
  return true;
}

void click_at(std::vector<InputEvent>* ev, HWND top, POINT p) {
  for (InputKind k : {InputKind::mouse_move, InputKind::mouse_down, InputKind::mouse_up}) {
    InputEvent e;
    e.kind = k;
    e.window = top;
    e.pos = p;
    ev->push_back(e);
  }
}

// button ID|"TEXT" [in "TITLE"], msgbox ID|"TEXT", field ID "TEXT" [in "TITLE"]
void dialog_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  std::vector<std::string> args = a.args;
  HWND w = aim(&args, h, &out->error);
  if (!w) return;
  HWND top = h.top_level_of ? h.top_level_of(w) : w;
  bool field = a.verb == "field";
  if (args.size() != (field ? 2u : 1u)) {
    out->error = field ? "expected: field ID \"text\" [in \"title\"]"
                       : "expected: " + a.verb + " ID|\"text\"" + (a.verb == "button" ? " [in \"title\"]" : "");
    return;
  }
  POINT p;
  if (!control_target(args[0], h, top, &p, &out->error)) return;
  click_at(&out->events, top, p);
  if (!field) return;
  // Replace what the field holds: select all, delete, type.
  press_chord(&out->events, top, kModCtrl, 'A', false);
  press_chord(&out->events, top, 0, VK_DELETE, false);
  ScriptAction typing = a;
  typing.args = {args[1]};
  type_action(typing, h, out);
}

// menu ID|"Path/To/Item" [in "TITLE"]: F10, then arrows to the item, then Enter.
void menu_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  std::vector<std::string> args = a.args;
  HWND w = aim(&args, h, &out->error);
  if (!w) return;
  HWND top = h.top_level_of ? h.top_level_of(w) : w;
  if (args.size() != 1) {
    out->error = "expected: menu ID|\"path/of/item\" [in \"title\"]";
    return;
  }
  int id = -1;
  std::string path;
  if (is_text(args[0]) || !to_int(args[0], &id)) path = text_of(args[0]);
  std::vector<int> steps;
  if (!h.menu_steps || !h.menu_steps(top, id, path, &steps) || steps.empty()) {
    out->error = "no menu item " + (id >= 0 ? std::to_string(id) : "\"" + text::utf8_from_cp1250(path) + "\"");
    return;
  }
  press_chord(&out->events, top, 0, VK_F(10), false);
  for (int i = 0; i < steps[0]; ++i) press_chord(&out->events, top, 0, VK_RIGHT, false);
  for (std::size_t level = 1; level < steps.size(); ++level) {
    press_chord(&out->events, top, 0, level == 1 ? VK_DOWN : VK_RIGHT, false);
    for (int i = 0; i < steps[level]; ++i) press_chord(&out->events, top, 0, VK_DOWN, false);
  }
  press_chord(&out->events, top, 0, VK_RETURN, false);
}

// file "PATH" | file cancel, folder "PATH" | folder cancel: the path typed
// into the dialog's name field (then Enter), or Cancel pressed.
void path_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  const bool folder = a.verb == "folder";
  HWND w = h.active_window ? h.active_window() : nullptr;
  if (!w || a.args.size() != 1) {
    out->error = w ? "expected: " + a.verb + " \"path\" | " + a.verb + " cancel" : "no active window";
    return;
  }
  HWND top = h.top_level_of ? h.top_level_of(w) : w;
  if (!is_text(a.args[0]) && same(a.args[0], "cancel")) {
    POINT p;
    if (!control_target("2", h, top, &p, &out->error)) return;
    click_at(&out->events, top, p);
    return;
  }
  ScriptAction typing = a;
  typing.verb = "field";
  // The folder field 1001 of the folder dialog, the file-name field 0x480 of the file dialogs.
  typing.args = {folder ? "1001" : "1152", a.args[0]};
  dialog_action(typing, h, out);
  if (!out->error.empty()) return;
  press_chord(&out->events, top, 0, VK_RETURN, false);
}

// toolbar ID [in "TITLE"]: click the toolbar button with that command id.
void toolbar_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  std::vector<std::string> args = a.args;
  HWND w = aim(&args, h, &out->error);
  if (!w) return;
  HWND top = h.top_level_of ? h.top_level_of(w) : w;
  int id = -1;
  if (args.size() != 1 || !to_int(args[0], &id) || id < 0) {
    out->error = "expected: toolbar ID [in \"title\"]";
    return;
  }
  POINT p;
  if (!h.toolbar_point || !h.toolbar_point(top, id, &p)) {
    out->error = "no toolbar button " + std::to_string(id);
    return;
  }
  click_at(&out->events, top, p);
}

void host_action(const ScriptAction& a, const DesktopHooks& h, ScriptOutcome* out) {
  std::vector<std::string> args = a.args;
  HWND w = aim(&args, h, &out->error);
  if (!w) return;
  InputEvent e;
  e.window = h.top_level_of ? h.top_level_of(w) : w;
  if (a.verb == "resize") {
    int cx = 0, cy = 0;
    if (args.size() != 2 || !to_int(args[0], &cx) || !to_int(args[1], &cy) || cx < 1 || cy < 1) {
      out->error = "expected: resize WIDTH HEIGHT [in \"title\"]";
      return;
    }
    e.kind = InputKind::host_resize;
    e.rect.right = cx;
    e.rect.bottom = cy;
    out->events.push_back(e);
  } else if (a.verb == "expose") {
    e.kind = InputKind::host_expose;
    out->events.push_back(e);
  } else if (a.verb == "repaint") {
    e.kind = InputKind::repaint;
    out->events.push_back(e);
  } else if (a.verb == "close") {
    // The close box when there is one (a real click), else the host's request.
    RECT box = h.close_box ? h.close_box(e.window) : RECT{};
    if (box.right > box.left) {
      POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
      for (InputKind k : {InputKind::mouse_move, InputKind::mouse_down, InputKind::mouse_up}) {
        InputEvent m;
        m.kind = k;
        m.window = e.window;
        m.pos = p;
        out->events.push_back(m);
      }
    } else {
      e.kind = InputKind::host_close;
      out->events.push_back(e);
    }
  }
}

}  // namespace

bool key_from_name(const std::string& name, UINT* vk, bool* keypad, bool* needs_shift) {
  *keypad = false;
  *needs_shift = false;
  for (const NamedKey& k : kNamedKeys)
    if (same(name, k.name)) {
      *vk = k.vk;
      *keypad = k.keypad;
      return true;
    }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    if (to_int(name.substr(1), &n) && n >= 1 && n <= 24) {
      *vk = VK_F(n);
      return true;
    }
  }
  if (name.size() == 4 && strncasecmp(name.c_str(), "Num", 3) == 0 && name[3] >= '0' && name[3] <= '9') {
    *vk = VK_NUMPAD0 + static_cast<UINT>(name[3] - '0');
    *keypad = true;
    return true;
  }
  if (name.size() == 1) {
    // A letter names its key whatever the case; Shift is said explicitly.
    if (std::isalpha(static_cast<unsigned char>(name[0]))) {
      *vk = static_cast<UINT>(static_cast<unsigned char>(text::asciiupper(name[0])));
      return true;
    }
    return key_for_char(static_cast<unsigned char>(name[0]), vk, needs_shift);
  }
  return false;
}

bool parse_chord(const std::string& chord, unsigned* mods, UINT* vk, bool* keypad) {
  *mods = 0;
  std::string rest = chord;
  for (;;) {
    std::size_t plus = rest.find('+');
    if (plus == std::string::npos || plus == 0 || plus + 1 >= rest.size()) break;
    std::string m = rest.substr(0, plus);
    if (same(m, "Shift")) *mods |= kModShift;
    else if (same(m, "Ctrl") || same(m, "Control")) *mods |= kModCtrl;
    else if (same(m, "Alt")) *mods |= kModAlt;
    else return false;
    rest = rest.substr(plus + 1);
  }
  bool shift = false;
  if (!key_from_name(rest, vk, keypad, &shift)) return false;
  if (shift) *mods |= kModShift;
  return true;
}

namespace {

void screenshot_action(const ScriptAction& a, const DesktopHooks&, ScriptOutcome* out) {
  if (a.args.size() != 1) out->error = "expected: screenshot \"file.png\"";
  else out->screenshot = text::utf8_from_cp1250(text_of(a.args[0]));
}

void wait_action(const ScriptAction& a, const DesktopHooks&, ScriptOutcome* out) {
  int ms = 0;
  if (a.args.size() != 1 || !to_int(a.args[0], &ms) || ms < 0) out->error = "expected: wait MILLISECONDS";
  else out->wait_ms = ms;
}

// One wait with no input.
void idle_action(const ScriptAction&, const DesktopHooks&, ScriptOutcome*) {}

// Each verb (lower case) and the routine that turns its action into input.
struct Verb {
  const char* name;
  void (*act)(const ScriptAction&, const DesktopHooks&, ScriptOutcome*);
};

const Verb kVerbs[] = {
    {"key", key_action},          {"type", type_action},       {"click", mouse_action},
    {"doubleclick", mouse_action}, {"move", mouse_action},      {"press", mouse_action},
    {"release", mouse_action},    {"wheel", mouse_action},     {"resize", host_action},
    {"expose", host_action},      {"repaint", host_action},    {"close", host_action},
    {"file", path_action},        {"folder", path_action},     {"toolbar", toolbar_action},
    {"menu", menu_action},        {"button", dialog_action},   {"field", dialog_action},
    {"msgbox", dialog_action},    {"screenshot", screenshot_action}, {"wait", wait_action},
    {"idle", idle_action},
};

}  // namespace

ScriptOutcome perform(const ScriptAction& a, const DesktopHooks& h) {
  ScriptOutcome out;
  for (const Verb& v : kVerbs) {
    if (a.verb == v.name) {
      v.act(a, h, &out);
      return out;
    }
  }
  out.error = "unknown action \"" + a.verb + "\"";
  return out;
}

}  // namespace plat::headless
