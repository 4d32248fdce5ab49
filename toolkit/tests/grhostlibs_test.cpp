// Leak checking of the graphics tests under the address sanitizer: the
// font library that the drawing layer's hardware fonts go through keeps its
// configuration for the whole process and never frees it, which the leak
// checker would report at exit. Only that host library is excused.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
