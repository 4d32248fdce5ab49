// Seams between the graphics layer's core and its text output.
//
// The character-size, font-selection and text-buffer routines belong to the
// text part of the layer, which is built apart from the core. The core calls
// them through these slots; an empty slot does nothing, so the core draws
// lines, shapes and colours with no text part linked.
#pragma once

#include <string_view>

namespace tsd {

struct GrTextHooks {
  // igrcharsize (fw, fh): re-applied by igrarea so characters keep their
  // size relative to the area.
  void (*charsize)(float fw, float fh) = nullptr;
  // The font part of igrinit: blank the current stroke-font name, set the
  // default character widths, preload the stroke fonts on the first call of
  // the process and select the hardware font.
  void (*initfonts)() = nullptr;
  // The characters the window driver's text operation draws (the text
  // buffer filled by the text output routine).
  std::string_view (*textbuffer)() = nullptr;
};

extern GrTextHooks grtexthooks;

// Driver trace: when set, xxgdrv calls it with every operation before the
// window driver; a true result means the operation was taken and the window
// driver is not called. Tests record the driver operations with it.
using GrDriverHook = bool (*)(int op);
extern GrDriverHook grdriverhook;

}  // namespace tsd
