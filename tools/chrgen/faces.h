// The font files the toolkit loads and the Hershey faces they are made of.
#pragma once

#include <span>

#include "tools/chrgen/face.h"

namespace chrgen {

std::span<const FaceSpec> font_specs();

}  // namespace chrgen
