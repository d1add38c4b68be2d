#pragma once
// Qt WebEngine can hang while the process ends, after every test has run
// (its browser processes waiting on a channel that is already gone). Once
// the last test has ended, a watchdog thread ends the process with the
// tests' own result if it is still alive a minute later, so such a hang
// costs a minute instead of the test's whole time limit. A normal exit ends
// long before the watchdog fires.
//
// Safe to call more than once; the first call arms it.
void ArmExitWatchdogAfterTests();
