// SIGTERM and SIGINT (kill, timeout, Ctrl+C in the terminal, the end of a
// desktop login) end each program on the SDL display promptly, by that
// signal, on a bare server and under openbox, as they do on the headless
// display.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "tests/desktop/program_on_x.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;

// How long the program may take to end after the signal (generous: the
// machine may be loaded; without the mend it never ends).
constexpr int kEndBoundSeconds = 10;

struct SignalCase {
  const Program* program;
  bool windowmanager;
  int sig;
};

std::string signalcasename(const ::testing::TestParamInfo<SignalCase>& info) {
  return info.param.program->name + (info.param.windowmanager ? "_openbox" : "_bare") +
         (info.param.sig == SIGTERM ? "_SIGTERM" : "_SIGINT");
}

class EndSignalOnX : public ::testing::TestWithParam<SignalCase>, public OnX {};

TEST_P(EndSignalOnX, EndsTheProgramPromptly) {
  const SignalCase& c = GetParam();
  const Program& p = *c.program;
  std::string why;
  if (!startdesktop(c.windowmanager, &why)) GTEST_SKIP() << why;
  ASSERT_TRUE(start(p, workfolder(p, std::string(c.windowmanager ? "openbox" : "bare") + "_signal")));
  ASSERT_TRUE(focuson(p.title));
  ASSERT_EQ(kill(pid(), c.sig), 0);
  const ProgramRun run = end(kEndBoundSeconds);
  EXPECT_FALSE(run.timedout) << "the program did not end within " << kEndBoundSeconds << " s";
  EXPECT_EQ(run.exitcode, 128 + c.sig) << "not ended by the signal: " << run.output;
}

std::vector<SignalCase> signalcases() {
  std::vector<SignalCase> v;
  for (const Program& p : programs())
    for (bool wm : {false, true})
      for (int sig : {SIGTERM, SIGINT}) v.push_back(SignalCase{&p, wm, sig});
  return v;
}

INSTANTIATE_TEST_SUITE_P(Desktop, EndSignalOnX, ::testing::ValuesIn(signalcases()), signalcasename);

}  // namespace
}  // namespace tsd::desktop
