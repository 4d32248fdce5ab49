// mokrin2: the curve program whose peak is given by Ea, Tm and Jm.
#include "peakcurve/mokrin/mokrin_frame.h"
#include "toolkit/window/winmain.h"

namespace {
void routine() { tsd::mokrin::run(tsd::mokrin::Variant::mokrin2); }
}  // namespace

int main(int argc, char** argv) { return tsd::winmain(argc, argv, routine); }
