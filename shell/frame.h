// The frame every program is made of: its main window, the message loop that
// hands menu commands to the program and redraws the window, the "O programie"
// box, the grid switch, and the clearing of the graphics area before a plot
// is drawn again. A program's frame is then its command table and handlers.
#pragma once

#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>

namespace tsd {

// The main window: system menu, minimise and maximise boxes, 160 units from
// the left, the window layer's default size, the program's menu.
struct ProgramWindow {
  std::string_view title;  // "Program Varnel1", code page 1250
  int y = -1;              // top; negative centres the window vertically
  int menu = 0;            // menu resource id
  bool bell = false;       // the window layer's bell on for this program
};

// Starts the window layer (no configuration file name) and opens the window.
void openprogramwindow(const ProgramWindow& window);

// What the program does with the messages of its main window.
struct FrameHandlers {
  // A menu command; false ends the program.
  std::function<bool(int id)> command;
  // The main window was exposed or resized: its graphics area needs drawing.
  std::function<void()> redraw;
};

// The message loop: menu commands go to handlers.command, exposure and
// resizing of the main window to handlers.redraw, a close request of a child
// window closes that child and one of the main window ends the loop. Returns
// once the program ends, with the window layer closed.
void runframe(const FrameHandlers& handlers);

// "O programie": the lines (UTF-8 literals) in an information box.
void aboutbox(std::initializer_list<std::string_view> lines);

// The grid switch: 0 becomes 1 and 1 becomes 0; any other value, which a
// parameter file may hold, stays as it is.
void switchgrid(int& gridflag);

// The menu items or popups `ids` of the main window's menu enabled (state
// 1) or greyed (state 0).
void setmenustate(std::span<const int> ids, int state);

// Selects the whole window as the graphics area and clears it, so that a
// plot is drawn on a blank area.
void cleargraphics();

}  // namespace tsd
