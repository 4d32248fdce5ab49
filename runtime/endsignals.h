// SIGTERM and SIGINT end a program at once, as they do by default, except
// while a file is being written: then they end it as soon as the last file
// written is complete, so no report or parameter file is left half-written.
//
//   EndSignalsHeld held;  // while it lives, an ending signal waits
//
// A signal that came meanwhile is raised again when the last holder goes,
// with the disposition that was there before (so it ends the program where
// it would have, and does nothing where it was ignored).
#pragma once

namespace tsd::runtime {

class EndSignalsHeld {
 public:
  EndSignalsHeld();
  ~EndSignalsHeld();
  EndSignalsHeld(const EndSignalsHeld&) = delete;
  EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;
};

}  // namespace tsd::runtime
