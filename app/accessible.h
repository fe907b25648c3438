#pragma once

// Gives the window's own widgets the interfaces a screen reader reads them through: the travel
// dial, the timeline's playhead, and drop-down lists named by their captions. Once per process,
// before the first window.
void installAccessibleInterfaces();
