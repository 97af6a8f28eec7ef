#pragma once

// For measuring start-up: when SAPORINA_STARTUP_PROBE holds the moment the process was started (in
// nanoseconds since the epoch, as `date +%s%N` gives it), the program prints how long it took until the
// browse window was painted with its first recipe, and its peak memory then, and ends. Without the
// variable this does nothing.
class Navigator;
void armStartupProbe(const Navigator& navigator);
