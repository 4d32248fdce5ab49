// Test stand-in for the window layer's error store, as far as the graphics
// tests read it: the last error code, read and cleared with infoerror (1).
// It stays until the window layer's own error store is part of the
// toolkit; then the tests use that one and this stand-in goes.
#pragma once

namespace tsd {

int infoerror(int item);

}  // namespace tsd
