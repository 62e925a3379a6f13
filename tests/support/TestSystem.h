#pragma once
// What the tests need to know of the system they run on.

// Whether the tests run under Wine on a build machine rather than on
// Windows itself: Wine makes files far more slowly, and its symbolic links
// are the build machine's own.
bool RunningUnderWine();
