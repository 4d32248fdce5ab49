// The host's clipboard: text goes out as UTF-8 with the host's line ends
// (LF) and comes in as code page 1250 with CR LF; a character the code
// page lacks becomes its undefined byte, never a question mark.
#include <string>

#include "platform/display/sdl/sdl_state.h"
#include "text/cp1250.h"

namespace plat::sdl {

void clipboard_set(void*, const std::string& text) {
  std::string lf;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
  SDL_SetClipboardText(text::utf8_from_cp1250(lf).c_str());
}

std::string clipboard_get(void*) {
  if (!SDL_HasClipboardText()) return "";
  char* utf8 = SDL_GetClipboardText();
  if (!utf8) return "";
  std::string cp = text::cp1250_from_utf8(utf8, text::kNoCp1250);
  SDL_free(utf8);
  std::string crlf;
  for (std::size_t i = 0; i < cp.size(); ++i) {
    if (cp[i] == '\n' && (i == 0 || cp[i - 1] != '\r')) crlf += '\r';
    crlf += cp[i];
  }
  return crlf;
}

}  // namespace plat::sdl
