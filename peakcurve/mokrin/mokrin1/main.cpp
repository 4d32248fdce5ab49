// mokrin1: the curve program whose peak is given by Ea, tau0 and P0.
#include "peakcurve/mokrin/mokrin_frame.h"
#include "toolkit/window/winmain.h"

namespace {
void routine() { tsd::mokrin::run(tsd::mokrin::Variant::mokrin1); }
}  // namespace

int main(int argc, char** argv) { return tsd::winmain(argc, argv, routine); }
