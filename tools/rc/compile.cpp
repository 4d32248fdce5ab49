// Parser of the resource-script subset: MENU, ACCELERATORS, DIALOG(EX),
// RCDATA, STRINGTABLE, BITMAP, ICON, CURSOR.
#include "compile.h"

#include <fstream>
#include <set>
#include <sstream>

#include "platform/kernel/resources.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace rc {

namespace {

constexpr std::uint32_t kChildVisible = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE

// A short control form: its class, default style, whether it has a text,
// and the bits of its style that hold one kind rather than flags.
struct ControlForm {
  const char* keyword;
  const char* window_class;
  std::uint32_t style;
  bool has_text;
  std::uint32_t kind_mask = 0;
};

const ControlForm kForms[] = {
    {"LTEXT", "STATIC", 0x0000 | 0x00020000, true},        // SS_LEFT | WS_GROUP
    {"RTEXT", "STATIC", 0x0002 | 0x00020000, true},        // SS_RIGHT | WS_GROUP
    {"CTEXT", "STATIC", 0x0001 | 0x00020000, true},        // SS_CENTER | WS_GROUP
    {"PUSHBUTTON", "BUTTON", 0x0000 | 0x00010000, true},   // BS_PUSHBUTTON | WS_TABSTOP
    {"DEFPUSHBUTTON", "BUTTON", 0x0001 | 0x00010000, true},
    {"GROUPBOX", "BUTTON", 0x0007, true},
    {"CHECKBOX", "BUTTON", 0x0002 | 0x00010000, true},
    {"AUTOCHECKBOX", "BUTTON", 0x0003 | 0x00010000, true},
    {"RADIOBUTTON", "BUTTON", 0x0004, true},
    {"AUTORADIOBUTTON", "BUTTON", 0x0009, true},
    {"STATE3", "BUTTON", 0x0005 | 0x00010000, true},
    {"AUTO3STATE", "BUTTON", 0x0006 | 0x00010000, true},
    {"EDITTEXT", "EDIT", 0x0000 | 0x00800000 | 0x00010000, false},  // ES_LEFT | WS_BORDER | WS_TABSTOP
    {"LISTBOX", "LISTBOX", 0x0001 | 0x00800000, false},             // LBS_NOTIFY | WS_BORDER
    {"COMBOBOX", "COMBOBOX", 0x0001 | 0x00010000, false, 0x0003},   // CBS_SIMPLE | WS_TABSTOP
    {"SCROLLBAR", "SCROLLBAR", 0x0000, false},
};

const char* const kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE",
                                      "PRELOAD", "LOADONCALL", "SHARED", "NONSHARED"};

class Parser {
 public:
  Parser(Script& script, const std::string& path) : script_(script), path_(path) {}

  std::vector<CompiledResource> run() {
    while (peek().kind != Token::Kind::end) statement();
    return std::move(out_);
  }

 private:
  Script& script_;
  std::string path_;
  std::size_t pos_ = 0;
  std::vector<CompiledResource> out_;
  std::set<std::pair<int, std::string>> seen_;  // (type, "#id" or name)

  // ---- tokens ----
  const Token& peek(std::size_t ahead = 0) const {
    std::size_t i = pos_ + ahead;
    return i < script_.tokens.size() ? script_.tokens[i] : script_.tokens.back();
  }
  const Token& next() {
    const Token& t = peek();
    if (t.kind != Token::Kind::end) ++pos_;
    return t;
  }
  [[noreturn]] void fail(const Token& t, const std::string& message) const {
    throw ScriptError(t.file ? *t.file : path_, t.line, message);
  }
  static std::string describe(const Token& t) {
    switch (t.kind) {
      case Token::Kind::end: return "end of file";
      case Token::Kind::string: return "a string";
      case Token::Kind::number: return "number " + t.text;
      default: return "'" + t.text + "'";
    }
  }
  bool accept(const char* p) {
    if (peek().is(p)) {
      ++pos_;
      return true;
    }
    return false;
  }
  void expect(const char* p, const char* what) {
    if (!accept(p)) fail(peek(), std::string("expected ") + what + ", found " + describe(peek()));
  }
  void comma() { expect(",", "','"); }
  void begin_block() {
    if (!accept("BEGIN") && !accept("{")) fail(peek(), "expected BEGIN, found " + describe(peek()));
  }
  bool end_block() { return accept("END") || accept("}"); }
  std::string string_token(const char* what) {
    if (peek().kind != Token::Kind::string) fail(peek(), std::string("expected ") + what + ", found " + describe(peek()));
    return next().text;
  }
  void skip_memory_options() {
    for (;;) {
      bool any = false;
      for (const char* o : kMemoryOptions) any = any || accept(o);
      if (!any) return;
    }
  }

  // ---- expressions ----
  std::int64_t primary() {
    const Token& t = peek();
    if (t.kind == Token::Kind::number) return next().value;
    if (t.is("(")) {
      next();
      std::int64_t v = expression();
      expect(")", "')'");
      return v;
    }
    if (t.is("-")) {
      next();
      return -primary();
    }
    if (t.is("~")) {
      next();
      return static_cast<std::int64_t>(~static_cast<std::uint32_t>(primary()));
    }
    if (t.kind == Token::Kind::identifier) {
      if (auto v = builtin_symbol(t.text)) {
        next();
        return *v;
      }
      if (t.text != "BEGIN" && t.text != "END") fail(t, "undefined symbol '" + t.text + "'");
    }
    fail(t, "expected a number, found " + describe(t));
  }
  std::int64_t product() {
    std::int64_t v = primary();
    for (;;) {
      if (accept("*")) v *= primary();
      else if (peek().is("/")) {
        const Token& t = next();
        std::int64_t d = primary();
        if (d == 0) fail(t, "division by zero");
        v /= d;
      } else return v;
    }
  }
  std::int64_t sum() {
    std::int64_t v = product();
    for (;;) {
      if (accept("+")) v += product();
      else if (accept("-")) v -= product();
      else return v;
    }
  }
  std::int64_t conjunction() {
    std::int64_t v = sum();
    while (accept("&")) v &= sum();
    return v;
  }
  std::int64_t expression() {
    std::int64_t v = conjunction();
    while (accept("|")) v |= conjunction();
    return v;
  }
  std::int64_t ranged(std::int64_t lo, std::int64_t hi, const char* what) {
    const Token& t = peek();
    std::int64_t v = expression();
    if (v < lo || v > hi) fail(t, std::string(what) + " " + std::to_string(v) + " is out of range");
    return v;
  }
  std::int16_t coordinate() { return static_cast<std::int16_t>(ranged(-32768, 32767, "coordinate")); }
  std::uint32_t flags_value() {
    return static_cast<std::uint32_t>(ranged(-2147483648LL, 0xffffffffLL, "style") & 0xffffffff);
  }
  // Style: names and numbers joined by "|", "NOT x" clears x from what
  // stands before (including the default).
  // Style flags joined by "|" (NOT clears a flag) applied to `value`; the
  // flags set by the text alone go to `given` when asked for.
  std::uint32_t style(std::uint32_t value, std::uint32_t* given = nullptr) {
    std::uint32_t set = 0;
    do {
      if (accept("NOT")) {
        value &= ~static_cast<std::uint32_t>(conjunction() & 0xffffffff);
      } else {
        const auto flags = static_cast<std::uint32_t>(conjunction() & 0xffffffff);
        value |= flags;
        set |= flags;
      }
    } while (accept("|"));
    if (given) *given = set;
    return value;
  }

  // ---- resources ----
  struct NameId {
    std::uint16_t id = 0;
    std::string name;
  };

  NameId name_id() {
    const Token& t = peek();
    NameId n;
    if (t.kind == Token::Kind::identifier && !builtin_symbol(t.text)) {
      n.name = text::asciiupper(next().text);
      return n;
    }
    if (t.kind == Token::Kind::string) {
      n.name = text::asciiupper(next().text);
      return n;
    }
    n.id = static_cast<std::uint16_t>(ranged(0, 65535, "resource id"));
    return n;
  }

  void add(std::uint16_t type, const NameId& n, std::vector<std::uint8_t> data, const Token& at) {
    auto key = std::make_pair(int{type}, n.name.empty() ? "#" + std::to_string(n.id) : n.name);
    if (!seen_.insert(key).second) fail(at, "resource " + key.second + " defined twice");
    if (data.size() > 0xffffffffull) fail(at, "resource too large");
    out_.push_back(CompiledResource{type, n.id, n.name, std::move(data)});
  }

  void statement() {
    const Token& first = peek();
    if (accept("STRINGTABLE")) return string_table(first);
    if (accept("LANGUAGE")) {
      expression();
      comma();
      expression();
      return;
    }
    NameId n = name_id();
    const Token& type = next();
    if (type.is("MENU")) return menu(n, first);
    if (type.is("MENUEX")) fail(type, "MENUEX is not supported; use MENU");
    if (type.is("ACCELERATORS")) return accelerators(n, first);
    if (type.is("DIALOG") || type.is("DIALOGEX")) return dialog(n, first);
    if (type.is("RCDATA")) return rcdata(n, first);
    if (type.is("BITMAP")) return file_resource(n, plat::RT_BITMAP_ID, "BM", first);
    if (type.is("ICON")) return file_resource(n, plat::RT_ICON_ID, std::string("\0\0\1\0", 4), first);
    if (type.is("CURSOR")) return file_resource(n, plat::RT_CURSOR_ID, std::string("\0\0\2\0", 4), first);
    fail(type, "expected a resource type, found " + describe(type));
  }

  // MENU
  void menu_options(std::uint16_t& flags) {
    for (;;) {
      accept(",");
      if (accept("GRAYED")) flags |= plat::MF_GRAYED;
      else if (accept("INACTIVE")) flags |= plat::MF_DISABLED;
      else if (accept("CHECKED")) flags |= plat::MF_CHECKED;
      else if (accept("MENUBREAK")) flags |= plat::MF_MENUBREAK;
      else if (accept("MENUBARBREAK")) flags |= plat::MF_MENUBARBREAK;
      else if (accept("HELP")) flags |= plat::MF_HELP;
      else return;
    }
  }
  void menu_items(std::vector<plat::MenuItemTemplate>& items, int depth) {
    begin_block();
    for (;;) {
      if (end_block()) return;
      const Token& t = peek();
      plat::MenuItemTemplate it;
      if (accept("MENUITEM")) {
        if (accept("SEPARATOR")) {
          it.flags = plat::MF_SEPARATOR;
        } else {
          it.text = string_token("the item's text");
          check_text(it.text, t);
          comma();
          it.id = static_cast<std::uint16_t>(ranged(0, 65535, "command id"));
          menu_options(it.flags);
        }
      } else if (accept("POPUP")) {
        if (depth >= plat::kMaxMenuDepth) fail(t, "popups nest too deep");
        it.text = string_token("the popup's text");
        check_text(it.text, t);
        it.flags = plat::MF_POPUP;
        menu_options(it.flags);
        menu_items(it.items, depth + 1);
      } else {
        fail(t, "expected MENUITEM, POPUP or END, found " + describe(t));
      }
      items.push_back(std::move(it));
      if (items.size() > 0xffff) fail(t, "too many items");
    }
  }
  void menu(const NameId& n, const Token& at) {
    skip_memory_options();
    plat::MenuTemplate m;
    menu_items(m.items, 1);
    add(plat::RT_MENU_ID, n, plat::encode_menu(m), at);
  }

  // ACCELERATORS
  void accelerators(const NameId& n, const Token& at) {
    skip_memory_options();
    begin_block();
    std::vector<plat::AcceleratorTemplate> table;
    while (!end_block()) {
      const Token& t = peek();
      plat::AcceleratorTemplate a;
      bool from_text = false;
      int key = 0;
      if (t.kind == Token::Kind::string) {
        std::string s = next().text;
        if (s.size() == 2 && s[0] == '^') {
          const char c = text::asciiupper(s[1]);
          if (c < 'A' || c > 'Z') fail(t, "a control key is ^ and a letter");
          key = c - 'A' + 1;
        } else if (s.size() == 1) {
          key = static_cast<unsigned char>(s[0]);
        } else {
          fail(t, "an accelerator key is one character or ^ and a letter");
        }
        from_text = true;
      } else {
        key = static_cast<int>(ranged(0, 65535, "key"));
      }
      comma();
      a.id = static_cast<std::uint16_t>(ranged(0, 65535, "command id"));
      bool virt = false, ascii = false;
      while (accept(",")) {
        const Token& o = next();
        if (o.is("VIRTKEY")) virt = true;
        else if (o.is("ASCII")) ascii = true;
        else if (o.is("NOINVERT")) a.flags |= plat::FNOINVERT;
        else if (o.is("SHIFT")) a.flags |= plat::FSHIFT;
        else if (o.is("CONTROL")) a.flags |= plat::FCONTROL;
        else if (o.is("ALT")) a.flags |= plat::FALT;
        else fail(o, "expected an accelerator option, found " + describe(o));
      }
      if (virt && ascii) fail(t, "an accelerator is either VIRTKEY or ASCII");
      if (virt) {
        a.flags |= plat::FVIRTKEY;
        if (from_text) {
          if (key >= 'a' && key <= 'z') key -= 32;
          if (key < 32) fail(t, "a VIRTKEY accelerator cannot be a control key");
        }
      } else if ((a.flags & (plat::FSHIFT | plat::FCONTROL)) != 0) {
        fail(t, "SHIFT and CONTROL need VIRTKEY");
      }
      a.key = static_cast<std::uint16_t>(key);
      table.push_back(a);
      if (table.size() > 0xffff) fail(t, "too many accelerators");
    }
    add(plat::RT_ACCELERATOR_ID, n, plat::encode_accelerators(table), at);
  }

  // DIALOG and DIALOGEX
  void dialog(const NameId& n, const Token& at) {
    skip_memory_options();
    plat::DialogTemplate d;
    d.x = coordinate();
    comma();
    d.y = coordinate();
    comma();
    d.cx = coordinate();
    comma();
    d.cy = coordinate();
    if (accept(",")) d.help_id = flags_value();
    bool have_style = false;
    std::uint32_t given = 0;
    for (;;) {
      const Token& t = peek();
      if (accept("STYLE")) {
        given = style(0);
        have_style = true;
      } else if (accept("EXSTYLE")) {
        d.exstyle = style(0);
      } else if (accept("CAPTION")) {
        d.caption = string_token("the caption");
        check_text(d.caption, t);
      } else if (accept("FONT")) {
        d.font_size = static_cast<std::uint16_t>(ranged(1, 1000, "font size"));
        comma();
        d.font_face = string_token("the font's face name");
        check_text(d.font_face, t);
        if (accept(",")) {
          d.font_weight = static_cast<std::uint16_t>(ranged(0, 1000, "font weight"));
          if (accept(",")) {
            d.font_italic = ranged(0, 1, "italic flag") != 0;
            if (accept(",")) d.font_charset = static_cast<std::uint8_t>(ranged(0, 255, "charset"));
          }
        }
      } else if (accept("MENU")) {
        NameId m = name_id();
        d.menu = m.name.empty() ? "#" + std::to_string(m.id) : m.name;
      } else if (accept("CLASS")) {
        d.window_class = string_token("the class name");
      } else if (accept("LANGUAGE")) {
        expression();
        comma();
        expression();
      } else if (accept("CHARACTERISTICS") || accept("VERSION")) {
        expression();
      } else {
        break;
      }
    }
    // Without STYLE a dialog is a bordered popup with a system menu; a
    // caption and a font add their style bits, as the resource compilers do.
    d.style = have_style ? given : (0x80000000u | 0x00800000u | 0x00080000u);
    if (!d.caption.empty()) d.style |= 0x00C00000u;  // WS_CAPTION
    if (d.font_size != 0) d.style |= 0x0040u;        // DS_SETFONT
    begin_block();
    while (!end_block()) {
      d.controls.push_back(control());
      if (d.controls.size() > 0xffff) fail(peek(), "too many controls");
    }
    add(plat::RT_DIALOG_ID, n, plat::encode_dialog(d), at);
  }

  std::string control_text() {
    const Token& t = peek();
    if (t.kind == Token::Kind::string) {
      std::string s = next().text;
      check_text(s, t);
      return s;
    }
    return "#" + std::to_string(ranged(0, 65535, "resource id"));
  }

  void geometry(plat::DialogControlTemplate& c) {
    c.x = coordinate();
    comma();
    c.y = coordinate();
    comma();
    c.cx = coordinate();
    comma();
    c.cy = coordinate();
  }

  plat::DialogControlTemplate control() {
    const Token& t = peek();
    plat::DialogControlTemplate c;
    if (accept("CONTROL")) {
      c.text = control_text();
      comma();
      c.id = static_cast<std::int32_t>(ranged(-1, 65535, "control id"));
      comma();
      const Token& k = peek();
      if (k.kind == Token::Kind::string) c.window_class = next().text;
      else if (k.kind == Token::Kind::identifier && !builtin_symbol(k.text)) c.window_class = next().text;
      else fail(k, "expected the control's class, found " + describe(k));
      comma();
      c.style = style(kChildVisible);
      comma();
      geometry(c);
      if (accept(",")) {
        c.exstyle = style(0);
        if (accept(",")) c.help_id = flags_value();
      }
      return c;
    }
    for (const ControlForm& f : kForms) {
      if (!accept(f.keyword)) continue;
      c.window_class = f.window_class;
      if (f.has_text) {
        c.text = control_text();
        comma();
      }
      c.id = static_cast<std::int32_t>(ranged(-1, 65535, "control id"));
      comma();
      geometry(c);
      c.style = kChildVisible | f.style;
      if (accept(",")) {
        std::uint32_t given = 0;
        c.style = style(c.style, &given);
        // A combo box's kind (simple, drop-down, drop-down list) is one value
        // in the two low bits: a kind given replaces the default simple one
        // instead of being joined to it (CBS_DROPDOWN | CBS_SIMPLE would be
        // a drop-down list).
        if (f.kind_mask != 0 && (given & f.kind_mask) != 0) {
          c.style = (c.style & ~f.kind_mask) | (given & f.kind_mask);
        }
        if (accept(",")) {
          c.exstyle = style(0);
          if (accept(",")) c.help_id = flags_value();
        }
      }
      return c;
    }
    fail(t, "expected a control or END, found " + describe(t));
  }

  // RCDATA
  void rcdata(const NameId& n, const Token& at) {
    skip_memory_options();
    begin_block();
    std::vector<std::uint8_t> data;
    while (!end_block()) {
      const Token& t = peek();
      if (t.kind == Token::Kind::string) {
        std::string s = next().text;
        data.insert(data.end(), s.begin(), s.end());
      } else if (t.kind == Token::Kind::end) {
        fail(t, "expected END, found end of file");
      } else {
        auto v = static_cast<std::uint16_t>(ranged(-32768, 65535, "word") & 0xffff);
        data.push_back(static_cast<std::uint8_t>(v & 0xff));
        data.push_back(static_cast<std::uint8_t>(v >> 8));
      }
      accept(",");
    }
    add(plat::RT_RCDATA_ID, n, std::move(data), at);
  }

  // STRINGTABLE
  void string_table(const Token& at) {
    skip_memory_options();
    for (;;) {
      if (accept("LANGUAGE")) {
        expression();
        comma();
        expression();
      } else if (accept("CHARACTERISTICS") || accept("VERSION")) {
        expression();
      } else {
        break;
      }
    }
    begin_block();
    while (!end_block()) {
      const Token& t = peek();
      NameId id;
      id.id = static_cast<std::uint16_t>(ranged(0, 65535, "string id"));
      accept(",");
      std::string s = string_token("the string");
      check_text(s, t);
      add(plat::RT_STRING_ID, id, std::vector<std::uint8_t>(s.begin(), s.end()), t);
    }
    (void)at;
  }

  // BITMAP, ICON, CURSOR
  void file_resource(const NameId& n, std::uint16_t type, const std::string& magic, const Token& at) {
    skip_memory_options();
    const Token& t = peek();
    std::string name = text::utf8_from_cp1250(string_token("a file name"));
    std::string dir = path_.rfind('/') == std::string::npos ? "." : path_.substr(0, path_.rfind('/'));
    std::string full = !name.empty() && name[0] == '/' ? name : dir + "/" + name;
    std::ifstream in(full, std::ios::binary);
    if (!in) fail(t, "cannot open '" + full + "'");
    std::stringstream ss;
    ss << in.rdbuf();
    std::string bytes = ss.str();
    if (bytes.size() < magic.size() + 2 || bytes.compare(0, magic.size(), magic) != 0)
      fail(t, "'" + full + "' is not a " +
                  (type == plat::RT_BITMAP_ID ? "bitmap" : type == plat::RT_ICON_ID ? "icon" : "cursor") +
                  " file");
    script_.files.push_back(full);
    add(type, n, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), at);
  }

  void check_text(const std::string& s, const Token& t) const {
    if (s.size() > 0xffff) fail(t, "text too long");
  }
};

}  // namespace

std::vector<CompiledResource> compile(Script& script, const std::string& script_path) {
  return Parser(script, script_path).run();
}

}  // namespace rc
