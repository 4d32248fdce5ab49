#include "multipeak/varnel2/v2commands.h"
#include "toolkit/window/winmain.h"

int main(int argc, char** argv) { return tsd::winmain(argc, argv, tsd::varnel2::varnel2main); }
