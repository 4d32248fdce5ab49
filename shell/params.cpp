#include "shell/params.h"

#include "shell/boxes.h"
#include "runtime/fatal.h"
#include "toolkit/window/winmain.h"

namespace tsd {

std::string startupfailedtext(const runtime::ParamsResult& result) {
  std::string text = runtime::paramsmissingtext();
  if (result.status != runtime::ParamsStatus::missing) {
    text.append(kBoxLineBreak);
    text.append(runtime::paramsproblemtext(result));
  }
  return text;
}

void startupfailed(const runtime::ParamsResult& result) {
  errorbox(startupfailedtext(result));
  runtime::fatal_report(result.file, result.problem);
  winexit(runtime::kFatalExitCode);
}

void tellparamssaved(const runtime::ParamsResult& result, std::string_view saved,
                     std::string_view failed) {
  if (result.ok()) {
    infobox(saved);
    return;
  }
  std::string text(failed);
  if (!result.problem.empty()) {
    text.append(kBoxLineBreak);
    text.append(runtime::paramsproblemtext(result));
  }
  errorbox(text);
}

}  // namespace tsd
