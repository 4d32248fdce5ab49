// Loading a measured data file into a curve program: the points, their
// polarisation Pd(i) = (1/b) * integral of Jd dT from Td(i) to the last
// point, and the measured maxima inside the grid range.
#pragma once

#include <string_view>

#include "analysis/datafile.h"
#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Reads the file (analysis/datafile.h, which refuses a heating rate not
// above 0); data whose polarisation is not a finite number (currents so
// large that the integral overflows) are refused as read_failed too. On
// success the data replace those
// held, b and T0 of the file go into `var`, Pd, the index range and the
// maxima are computed, the data flag is set and s.datafile becomes `name`;
// the model curves are not computed again. On failure nothing at all is
// changed, so the data shown before stay whole.
DataFileStatus loaddata(State& s, std::string_view name);

}  // namespace tsd::mokrin
