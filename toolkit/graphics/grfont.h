// Character sets: the stroke-font tables of the current font, the cache of
// loaded fonts, the selection and loading routines, and the binary file
// routines the loader reads through.
#pragma once

#include <cstdint>
#include <string_view>

namespace tsd {

inline constexpr int kFontNameLength = 160;   // grfontname and the cache names
inline constexpr int kStrokeBytes = 17000;    // grstrokes
inline constexpr int kFontCacheFonts = 20;
inline constexpr int kFontCacheBytes = 70000;
inline constexpr int kTextBufLength = 255;    // grtextbuf, without its terminator
inline constexpr int kPathLength = 255;       // a path being tried
inline constexpr int kPreloadedFonts = 6;
inline constexpr int kWidthCount = 190;       // codes 32..126, then 161..255

// Tables of the current stroke font (what the font file holds) and the
// per-code proportional widths.
struct GrFontTables {
  float cellwidth = 0.0f;
  float cellheight = 0.0f;
  float glyphwidth = 0.0f;
  float glyphheight = 0.0f;
  std::int32_t start1[95] = {};   // codes 33..127
  std::int32_t start2[96] = {};   // codes 161..256
  float widths[kWidthCount] = {};
  std::int32_t available[kPreloadedFonts] = {};  // 1 = preloaded font n + 1 loaded
  std::int32_t lastkind = 0;      // kind and type of the last stroke font selected
  std::int32_t lasttype = 0;
  std::int32_t preloaded = 0;     // 1 once the six fonts were preloaded
};

// Fonts loaded in this process, in load order; never replaced or removed.
struct GrFontCache {
  char names[kFontCacheFonts][kFontNameLength] = {};
  std::uint8_t store[kFontCacheBytes] = {};
  std::int32_t first[kFontCacheFonts] = {};  // 1-based positions in store
  std::int32_t last[kFontCacheFonts] = {};
  float cellwidth[kFontCacheFonts] = {};
  float cellheight[kFontCacheFonts] = {};
  float glyphwidth[kFontCacheFonts] = {};
  float glyphheight[kFontCacheFonts] = {};
  std::int32_t start1[kFontCacheFonts][95] = {};
  std::int32_t start2[kFontCacheFonts][96] = {};  // [i][0] is -1 for a type 7 font
  std::int32_t kind[kFontCacheFonts] = {};
  std::int32_t count = 0;
};

extern GrFontTables grfont;
extern GrFontCache grfontcache;
extern char grfontname[kFontNameLength];      // blank when no font is held
extern std::uint8_t grstrokes[kStrokeBytes];  // block 1, then block 2
extern char grtextbuf[kTextBufLength + 1];    // room for the terminator

// The six preloaded fonts, in their order.
inline constexpr std::string_view kPreloadedNames[kPreloadedFonts] = {
    "swiss.chr", "swissbld.chr", "roman.chr", "romanbld.chr", "fixed.chr", "fixedbld.chr"};

// Selects the hardware font ("H" or "h") or a stroke font by file name.
int igrcharset(std::string_view name);
// Makes the font of path current, from the cache or from its file.
int xxrset(std::string_view path);
// With 0: copies the default proportional widths into the current ones.
int xxcspace(int code);
// The font part of igrinit: blanks the current font name, sets the default
// widths, preloads the six fonts on the first call (grfont.preloaded still
// 0), selects the hardware font; the error code is left as it was.
void xxinitfonts();


// Binary files. mode 0 read, 1 create for writing, 2 read and write;
// handle -1 on failure (error 1).
int ifileopen(std::string_view name, int mode, int& handle);
// Up to n bytes; nread is the count (0 at the end), -1 on a read failure (error 2).
int ifileread(int handle, std::uint8_t* buffer, int n, int& nread);
int ifilereadchar(int handle, char* buffer, int n, int& nread);
int ifileclose(int handle);
// Further names of the same routines, for buffers of other types.
int ifileread1(int handle, void* buffer, int n, int& nread);
int ifileread2(int handle, void* buffer, int n, int& nread);
int ifileread3(int handle, void* buffer, int n, int& nread);
int ifileread4(int handle, void* buffer, int n, int& nread);
int ifileread5(int handle, void* buffer, int n, int& nread);
int ifileread6(int handle, void* buffer, int n, int& nread);
int ifileread7(int handle, void* buffer, int n, int& nread);
int ifileread8(int handle, void* buffer, int n, int& nread);
int ifilereadchar1(int handle, char* buffer, int n, int& nread);
int ifilereadchar2(int handle, char* buffer, int n, int& nread);

}  // namespace tsd
