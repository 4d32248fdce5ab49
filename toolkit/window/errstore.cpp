// The toolkit's error store.
#include "toolkit/window/errstore.h"

namespace tsd {

ErrState errstate;

void xxerror(int code) { errstate.code = code; }

int infoerror(int item) {
  std::int32_t* word = item == 1 ? &errstate.code : item == 2 ? &errstate.os_status : &errstate.extra;
  int value = *word;
  *word = 0;
  return value;
}

void idebuglevel(int level) {
  if (level >= 0 && level <= 4) errstate.debug_level = level;
}

}  // namespace tsd
