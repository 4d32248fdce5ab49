// The objective is called tens of thousands of times per fit: it must not
// touch the heap. Counted by replacing the global allocation functions of
// this test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "multipeak/funcsubr2.h"
#include "multipeak/tests/fit_fixture.h"

namespace {
long g_allocations = 0;
}

void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace tsd {
namespace {

TEST(ObjectiveAllocation, FuncAndCurvatureMatrixAllocateNothing) {
  fittest::load_curve({{2e-12, 260, 0.8}, {5e-12, 300, 1.0}, {3e-12, 315, 1.1}, {1e-12, 370, 1.3}},
                      800, 0.25);
  fittest::load_start(
      {{2.2e-12, 275, 0.75}, {4.6e-12, 285, 1.08}, {3.3e-12, 331, 1.02}, {0.92e-12, 350, 1.4}});
  double alpha[144];
  const long before = g_allocations;
  const double S = func(fitvector.a);
  setupalpha(fitvector.a, S, alpha);
  const long after = g_allocations;
  EXPECT_EQ(after - before, 0) << "heap allocations during func and setupalpha";
  EXPECT_GT(S, 0.0);
}

}  // namespace
}  // namespace tsd
