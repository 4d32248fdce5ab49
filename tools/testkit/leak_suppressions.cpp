// Leak checking of the test programs in the sanitizer build. Two host
// libraries keep memory for the whole process and never free it: the font
// configuration library that hardware fonts go through, and the D-Bus
// library that SDL starts. The leak checker passes over those two and
// nothing else; every test program is linked with this file.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n";
}
