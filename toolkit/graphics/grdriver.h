// Numbered driver operations: the dispatch and the window driver.
#pragma once

namespace tsd {

// Gives operation op to the window driver when the screen driver is on.
int xxgdrv(int op);
// The hardcopy driver: there is no hardcopy device, so it does nothing.
int xxhdrv(int op);
// The window driver: performs one operation on the current device context.
int xxgmswin(int op);

}  // namespace tsd
