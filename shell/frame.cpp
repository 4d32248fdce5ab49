#include "shell/frame.h"

#include <string>

#include "shell/boxes.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmenu.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

void openprogramwindow(const ProgramWindow& window) {
  winitialise(" ");
  WindowStyle style;
  style.flags = kStyleSysMenu | kStyleMinBox | kStyleMaxBox;
  style.x = 160;
  style.y = window.y;
  style.width = -1;
  style.height = -1;
  style.menu = window.menu;
  const std::string title(window.title);
  setwindowtitle(style, title.c_str());
  if (window.bell) windowbell("ON", 2);
  windowopen(style);
}

void runframe(const FrameHandlers& handlers) {
  for (;;) {
    int type = 0;
    WindowMessage message;
    wmessage(type, message);
    if (type == kMenuSelect) {
      if (!handlers.command(message.value1)) break;
    } else if (type == kExpose || type == kResize) {
      handlers.redraw();
    } else if (type == kCloseRequest) {
      if (message.win == 0) break;
      windowclosechild(message.win);
    }
  }
  windowclose();
}

void aboutbox(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    if (!text.empty()) text += kBoxLineBreak;
    text += cp(line);
  }
  infobox(text, "O programie");
}

void switchgrid(int& gridflag) {
  if (gridflag == 0) {
    gridflag = 1;
  } else if (gridflag == 1) {
    gridflag = 0;
  }
}

void setmenustate(std::span<const int> ids, int state) {
  for (int id : ids) wmenusetstate(id, 1, state);
}

void cleargraphics() {
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
}

}  // namespace tsd
