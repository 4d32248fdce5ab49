// Fonts and text: window-system fonts rendered with FreeType.
//
// Faces are found with fontconfig: "Courier New" and the fixed system
// fonts become Liberation Mono, "Arial", the system and dialog fonts
// Liberation Sans, "Times New Roman" Liberation Serif; any other face
// ("Symbol", "Wingdings", ...) falls back to DejaVu Sans. Text is code page
// 1250, one byte a character.
#pragma once

#include "platform/types.h"

namespace plat {

inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_THIN = 100;
inline constexpr int FW_LIGHT = 300;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_HEAVY = 900;

inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SYMBOL_CHARSET = 2;
inline constexpr int EASTEUROPE_CHARSET = 238;
inline constexpr int OUT_DEFAULT_PRECIS = 0;
inline constexpr int OUT_TT_PRECIS = 4;
inline constexpr int OUT_TT_ONLY_PRECIS = 7;
inline constexpr int CLIP_DEFAULT_PRECIS = 0;
inline constexpr int DEFAULT_QUALITY = 0;
inline constexpr int DEFAULT_PITCH = 0;
inline constexpr int FIXED_PITCH = 1;
inline constexpr int VARIABLE_PITCH = 2;
inline constexpr int FF_DONTCARE = 0x00;
inline constexpr int FF_ROMAN = 0x10;
inline constexpr int FF_SWISS = 0x20;
inline constexpr int FF_MODERN = 0x30;
inline constexpr int FF_SCRIPT = 0x40;
inline constexpr int FF_DECORATIVE = 0x50;

// tmPitchAndFamily bits (TMPF_FIXED_PITCH set means a variable pitch font).
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;

// Text alignment (SetTextAlign).
inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
  LONG lfHeight = 0;       // > 0 cell height, < 0 character height, 0 default
  LONG lfWidth = 0;        // average character width, 0 for the natural one
  LONG lfEscapement = 0;   // tenths of a degree, counter-clockwise
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRICA {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 96;
  LONG tmDigitizedAspectY = 96;
  BYTE tmFirstChar = 0x20;
  BYTE tmLastChar = 0xff;
  BYTE tmDefaultChar = 0x1f;
  BYTE tmBreakChar = 0x20;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, const char* face);
HFONT CreateFontIndirectA(const LOGFONTA* lf);

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* tm);
// Width of the first `count` bytes in the selected font, and the font's
// cell height.
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);
// Draws `count` bytes of code-page-1250 text at (x, y), placed by the text
// alignment (top-left by default), in the text colour; in OPAQUE mode the
// text cells are first filled with the background colour.
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

}  // namespace plat
