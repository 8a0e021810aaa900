// The rules a board keeps after every step of any play: a gem in one cell at
// most and only on an active one, every resting gem in its own cell and at
// its place, and each entry row feeding one gem at a time. Checked with
// test assertions; the caller stops when HasFatalFailure() is set.
#pragma once

// gemsAtTheirPlaces false leaves out where resting gems are drawn (the
// tarot moves them off their cells while it runs).
void CheckBoardInvariants(int step, bool gemsAtTheirPlaces = true);
