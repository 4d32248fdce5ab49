// Host libraries that keep caches for the life of the process (fontconfig's
// configuration and font lists) are not reported as leaks by the sanitizer
// build of these tests; our own allocations still are.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
