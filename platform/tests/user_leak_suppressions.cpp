// The system's D-Bus library, which SDL starts, keeps a buffer for the life
// of the process; it is not reported as a leak by the sanitizer build of
// these tests. Our own allocations still are.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
