// Encoding and decoding of the compiled menu, dialog and accelerator layout
// (described in resources.h). Standard library only: the resource compiler
// builds this file too.
#include <cstring>

#include "platform/kernel/resources.h"
#include "text/littleendian.h"

namespace plat {

namespace {

constexpr WORD kVersion = 1;

// ---- Writing ----

struct Writer {
  std::vector<BYTE> out;
  void u8(unsigned v) { out.push_back(static_cast<BYTE>(v & 0xff)); }
  void u16(unsigned v) {
    u8(v);
    u8(v >> 8);
  }
  void u32(std::uint32_t v) {
    u16(v & 0xffff);
    u16(v >> 16);
  }
  void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
  void str(const std::string& s) {
    // Longer texts are cut at 65535 bytes; the compiler refuses them first.
    std::size_t n = s.size() > 0xffff ? 0xffff : s.size();
    u16(static_cast<unsigned>(n));
    out.insert(out.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  }
  void tag(char a, char b) {
    u8(static_cast<unsigned char>(a));
    u8(static_cast<unsigned char>(b));
    u16(kVersion);
  }
};

void write_list(Writer& w, const std::vector<MenuItemTemplate>& items) {
  w.u16(static_cast<unsigned>(items.size()));
  for (const auto& it : items) {
    w.u16(it.flags);
    w.u16(it.id);
    w.str(it.text);
    if (it.popup()) write_list(w, it.items);
  }
}

// ---- Reading ----

struct Reader {
  std::span<const BYTE> in;
  std::size_t pos = 0;
  bool ok = true;
  bool need(std::size_t n) {
    if (!ok || in.size() - pos < n) ok = false;
    return ok;
  }
  unsigned u8() {
    if (!need(1)) return 0;
    return in[pos++];
  }
  unsigned u16() {
    if (!need(2)) return 0;
    const unsigned v = text::le16(in, pos);
    pos += 2;
    return v;
  }
  std::uint32_t u32() {
    if (!need(4)) return 0;
    const std::uint32_t v = text::le32(in, pos);
    pos += 4;
    return v;
  }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::string str() {
    std::size_t n = u16();
    if (!need(n)) return {};
    std::string s(reinterpret_cast<const char*>(in.data() + pos), n);
    pos += n;
    return s;
  }
  bool tag(char a, char b) {
    unsigned x = u8(), y = u8(), v = u16();
    return ok && x == static_cast<unsigned char>(a) && y == static_cast<unsigned char>(b) &&
           v == kVersion;
  }
  bool finished() const { return ok && pos == in.size(); }
};

bool read_list(Reader& r, std::vector<MenuItemTemplate>& items, int depth) {
  if (depth > kMaxMenuDepth) return false;
  unsigned n = r.u16();
  for (unsigned i = 0; i < n && r.ok; ++i) {
    MenuItemTemplate it;
    it.flags = static_cast<WORD>(r.u16());
    it.id = static_cast<WORD>(r.u16());
    it.text = r.str();
    if (it.popup() && !read_list(r, it.items, depth + 1)) return false;
    items.push_back(std::move(it));
  }
  return r.ok;
}

}  // namespace

std::vector<BYTE> encode_menu(const MenuTemplate& menu) {
  Writer w;
  w.tag('M', 'N');
  write_list(w, menu.items);
  return w.out;
}

std::optional<MenuTemplate> decode_menu(std::span<const BYTE> bytes) {
  Reader r{bytes};
  if (!r.tag('M', 'N')) return std::nullopt;
  MenuTemplate m;
  if (!read_list(r, m.items, 1) || !r.finished()) return std::nullopt;
  return m;
}

std::vector<BYTE> encode_dialog(const DialogTemplate& d) {
  Writer w;
  w.tag('D', 'L');
  w.u32(d.style);
  w.u32(d.exstyle);
  w.i16(d.x);
  w.i16(d.y);
  w.i16(d.cx);
  w.i16(d.cy);
  w.u32(d.help_id);
  w.u16(d.font_size);
  w.u16(d.font_weight);
  w.u8(d.font_italic ? 1 : 0);
  w.u8(d.font_charset);
  w.str(d.font_face);
  w.str(d.caption);
  w.str(d.menu);
  w.str(d.window_class);
  w.u16(static_cast<unsigned>(d.controls.size()));
  for (const auto& c : d.controls) {
    w.u32(c.style);
    w.u32(c.exstyle);
    w.i16(c.x);
    w.i16(c.y);
    w.i16(c.cx);
    w.i16(c.cy);
    w.u32(static_cast<std::uint32_t>(c.id));
    w.u32(c.help_id);
    w.str(c.window_class);
    w.str(c.text);
  }
  return w.out;
}

std::optional<DialogTemplate> decode_dialog(std::span<const BYTE> bytes) {
  Reader r{bytes};
  if (!r.tag('D', 'L')) return std::nullopt;
  DialogTemplate d;
  d.style = r.u32();
  d.exstyle = r.u32();
  d.x = r.i16();
  d.y = r.i16();
  d.cx = r.i16();
  d.cy = r.i16();
  d.help_id = r.u32();
  d.font_size = static_cast<WORD>(r.u16());
  d.font_weight = static_cast<WORD>(r.u16());
  d.font_italic = r.u8() != 0;
  d.font_charset = static_cast<BYTE>(r.u8());
  d.font_face = r.str();
  d.caption = r.str();
  d.menu = r.str();
  d.window_class = r.str();
  unsigned n = r.u16();
  for (unsigned i = 0; i < n && r.ok; ++i) {
    DialogControlTemplate c;
    c.style = r.u32();
    c.exstyle = r.u32();
    c.x = r.i16();
    c.y = r.i16();
    c.cx = r.i16();
    c.cy = r.i16();
    c.id = static_cast<std::int32_t>(r.u32());
    c.help_id = r.u32();
    c.window_class = r.str();
    c.text = r.str();
    d.controls.push_back(std::move(c));
  }
  if (!r.finished()) return std::nullopt;
  return d;
}

std::vector<BYTE> encode_accelerators(const std::vector<AcceleratorTemplate>& table) {
  Writer w;
  w.tag('A', 'C');
  w.u16(static_cast<unsigned>(table.size()));
  for (const auto& a : table) {
    w.u8(a.flags);
    w.u8(0);
    w.u16(a.key);
    w.u16(a.id);
  }
  return w.out;
}

std::optional<std::vector<AcceleratorTemplate>> decode_accelerators(std::span<const BYTE> bytes) {
  Reader r{bytes};
  if (!r.tag('A', 'C')) return std::nullopt;
  std::vector<AcceleratorTemplate> t;
  unsigned n = r.u16();
  for (unsigned i = 0; i < n && r.ok; ++i) {
    AcceleratorTemplate a;
    a.flags = static_cast<BYTE>(r.u8());
    r.u8();
    a.key = static_cast<WORD>(r.u16());
    a.id = static_cast<WORD>(r.u16());
    t.push_back(a);
  }
  if (!r.finished()) return std::nullopt;
  return t;
}

std::optional<std::vector<WORD>> decode_words(std::span<const BYTE> bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::vector<WORD> w(bytes.size() / 2);
  for (std::size_t i = 0; i < w.size(); ++i)
    w[i] = static_cast<WORD>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return w;
}

}  // namespace plat
