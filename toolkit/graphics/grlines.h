// Lines, polylines and the layer's own segment clipping.
#pragma once

namespace tsd {

// One segment in user units, and in device coordinates.
int xxline(float x1, float y1, float x2, float y2);
int xxlini(float x1, float y1, float x2, float y2);
// Polyline through n points; flag 0 = user units, else device coordinates.
int xxpline(const float* x, const float* y, int n, int flag);
// Clips the segment in place against the area; visible := 1 or 0.
int xxclip(float& x1, float& y1, float& x2, float& y2, int& visible);
// 1 when (x, y) lies in the widened clipping box (inclusive), else 0.
int xxbox(float x, float y);
// 1 when (px, py) lies in the box and within the segment's bounding box.
int xxlin(float px, float py, float x1, float y1, float x2, float y2);

}  // namespace tsd
