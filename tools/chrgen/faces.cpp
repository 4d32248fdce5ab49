#include "tools/chrgen/faces.h"

namespace chrgen {
namespace {

// Proportional faces are centred in cells 24 units wide (their widest
// letters, "m" and "W", fit with a little room); the fixed-pitch ones fill
// narrower cells of 20, the widest glyphs narrowed to 17. All cells are 37
// units high (chrwrite.h).
constexpr FaceSpec kSpecs[] = {
    {.file_name = "swiss.chr", .jhf = "futural", .weight = 1, .fixed_pitch = false, .cell_width = 24, .max_ink = 22},
    {.file_name = "swissbld.chr", .jhf = "futuram", .weight = 2, .fixed_pitch = false, .cell_width = 24, .max_ink = 22},
    {.file_name = "roman.chr", .jhf = "timesr", .weight = 1, .fixed_pitch = false, .cell_width = 24, .max_ink = 22},
    {.file_name = "romanbld.chr", .jhf = "timesrb", .weight = 2, .fixed_pitch = false, .cell_width = 24, .max_ink = 22},
    {.file_name = "fixed.chr", .jhf = "rowmans", .weight = 1, .fixed_pitch = true, .cell_width = 20, .max_ink = 17},
    {.file_name = "fixedbld.chr", .jhf = "rowmand", .weight = 2, .fixed_pitch = true, .cell_width = 20, .max_ink = 17},
    {.file_name = "standard.chr", .jhf = "rowmans", .weight = 1, .fixed_pitch = false, .cell_width = 24, .max_ink = 22},
};

}  // namespace

std::span<const FaceSpec> font_specs() { return kSpecs; }

}  // namespace chrgen
