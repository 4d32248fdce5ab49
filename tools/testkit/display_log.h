// Reading the display's log of a run (the scripted user's log): the message
// boxes and dialogs shown, the fields of a dialog as shown, and counting
// what was logged. Header only.
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

// The "dialog shown" lines of every showing of the dialog titled `title`,
// in order. A line ends at the first LF that does not follow a CR (the
// texts of table fields hold CR LF).
inline std::vector<std::string> dialogsshown(const std::string& log, const std::string& title) {
  std::vector<std::string> lines;
  const std::string head = "dialog shown: \"" + title + "\"";
  for (std::size_t at = log.find(head); at != std::string::npos; at = log.find(head, at + 1)) {
    std::size_t end = at;
    while ((end = log.find('\n', end)) != std::string::npos && log[end - 1] == '\r') ++end;
    lines.push_back(log.substr(at, end == std::string::npos ? std::string::npos : end - at));
  }
  return lines;
}

// The line of the n-th showing (from 1) of the dialog titled `title`, the
// last showing for n = 0; empty when there is none.
inline std::string dialogline(const std::string& log, const std::string& title, int n = 1) {
  const std::vector<std::string> lines = dialogsshown(log, title);
  if (lines.empty() || n < 0 || n > static_cast<int>(lines.size())) return {};
  return n == 0 ? lines.back() : lines[static_cast<std::size_t>(n - 1)];
}

// The text a dialog line shows for control `id` of class `cls` ("EDIT",
// "STATIC"...; "" for an empty one); "<none>" when the line has no such
// control.
inline std::string controltext(const std::string& line, const std::string& cls, int id) {
  const std::string head = " | " + cls + " " + std::to_string(id);
  std::size_t at = line.find(head + " \"");
  if (at == std::string::npos) {
    at = line.find(head);
    const std::size_t after = at + head.size();
    if (at != std::string::npos && (after == line.size() || line.compare(after, 3, " | ") == 0)) return "";
    return "<none>";
  }
  const std::size_t from = at + head.size() + 2;
  return line.substr(from, line.find('"', from) - from);
}

// How many times `what` occurs in `text`.
inline int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace tsd::testkit
