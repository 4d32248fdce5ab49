#include "multipeak/varnel2/varnel2_frame.h"
#include "toolkit/window/winmain.h"

int main(int argc, char** argv) { return tsd::winmain(argc, argv, tsd::varnel2::run); }
