// The plot tests draw text with hardware fonts on a surface, which loads the
// host's font configuration library; that library keeps its configuration
// until the process ends and never frees it. The leak checker of the
// sanitizer build is told to pass over that one library and nothing else.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
