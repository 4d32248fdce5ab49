// The drawing layer in one include: device contexts, objects, drawing,
// text, bitmaps, palettes, regions, and the window manager's surface seam.
#pragma once

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/metafile.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/surface_png.h"
#include "platform/gdi/text.h"
