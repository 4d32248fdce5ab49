// Mapping modes and metafiles.
//
// The drawing calls of this layer take device coordinates whatever the
// mapping mode; the mapping mode, window and viewport set here are applied
// by LPtoDP and by metafile playback, which maps every coordinate of a
// record through them (classic metafiles) or into the rectangle given
// (enhanced metafiles).
//
// A metafile is made from the bytes of a file. Playback draws the records
// this layer knows (drawing-mode and mapping records, the world transform
// of enhanced metafiles, pens (also extended ones), brushes, fonts, object
// selection and deletion, saving and restoring the state, lines, polylines
// and sets of them, polygons, Bezier curves, rectangles, rounded
// rectangles, ellipses, arcs, chords, pies, pixels, pattern fills of a
// rectangle, text and device-independent bitmaps), keeps
// to the clip region its records make (rectangles intersected or excluded,
// regions, and in enhanced metafiles paths), fills and strokes the paths of
// enhanced metafiles, and skips the other records, as unknown records are
// skipped elsewhere. The objects a metafile makes are deleted and the
// context's objects, colours, modes and clip are put back when playback
// ends.
#pragma once

#include "platform/types.h"

namespace plat {

struct MetaFileData;
struct EnhMetaFileData;
using HMETAFILE = MetaFileData*;
using HENHMETAFILE = EnhMetaFileData*;

inline constexpr int MM_TEXT = 1;
inline constexpr int MM_LOMETRIC = 2;
inline constexpr int MM_HIMETRIC = 3;
inline constexpr int MM_LOENGLISH = 4;
inline constexpr int MM_HIENGLISH = 5;
inline constexpr int MM_TWIPS = 6;
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int MM_ANISOTROPIC = 8;

// Returns the previous mode, 0 for a bad context or mode.
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous);  // 0 extents refused
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous);    // 0 extents refused
BOOL GetViewportOrgEx(HDC dc, POINT* org);
BOOL GetViewportExtEx(HDC dc, SIZE* ext);
BOOL GetWindowOrgEx(HDC dc, POINT* org);
BOOL GetWindowExtEx(HDC dc, SIZE* ext);
// Logical to device coordinates through the context's mapping.
BOOL LPtoDP(HDC dc, POINT* points, int count);

// An enhanced metafile from its bytes (copied); nullptr when they do not
// start with an enhanced-metafile header or a record runs past the end.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// Plays it with its picture frame mapped onto the rectangle.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);

// A classic metafile from its bytes (copied, without a placeable header);
// nullptr when the header is not one or a record runs past the end.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
// Plays it through the context's mapping mode, window and viewport.
BOOL PlayMetaFile(HDC dc, HMETAFILE metafile);
BOOL DeleteMetaFile(HMETAFILE metafile);

}  // namespace plat
