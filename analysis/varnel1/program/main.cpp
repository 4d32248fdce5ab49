// varnel1: relaxation analysis of one measured TSD current curve in three
// series.
#include "analysis/varnel1/varnel1_frame.h"
#include "toolkit/window/winmain.h"

int main(int argc, char** argv) { return tsd::winmain(argc, argv, tsd::varnel1::run); }
