// Reading the display's log of a run (the scripted user's log): the message
// boxes shown, and counting what was logged. Header only.
#pragma once

#include <string>
#include <vector>

namespace tsd::testkit {

// One "message box shown" line: its title and text as logged (UTF-8; the
// box's line breaks show as blanks).
struct LoggedBox {
  std::string title;
  std::string text;
};

// Every message box of the log, in the order shown.
inline std::vector<LoggedBox> loggedboxes(const std::string& log) {
  std::vector<LoggedBox> boxes;
  const std::string head = "message box shown: \"";
  for (std::size_t at = log.find(head); at != std::string::npos; at = log.find(head, at + 1)) {
    const std::size_t title = at + head.size();
    const std::size_t text = log.find("\" text \"", title);
    const std::size_t end = text == std::string::npos ? text : log.find("\" icon ", text);
    if (end == std::string::npos) break;
    boxes.push_back({log.substr(title, text - title), log.substr(text + 8, end - text - 8)});
  }
  return boxes;
}

// The texts of the boxes titled `title`, in order.
inline std::vector<std::string> boxtexts(const std::string& log, const std::string& title) {
  std::vector<std::string> texts;
  for (const LoggedBox& box : loggedboxes(log)) {
    if (box.title == title) texts.push_back(box.text);
  }
  return texts;
}

// How many times `what` occurs in `text`.
inline int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace tsd::testkit
