// What changed between two frames drawn as lists of commands: the part of the
// frame that has to be drawn again so that it shows the second list where it
// shows the first.
//
// Pure functions over the lists the caller passes: no state, no threads, no
// library. Nothing fails: a list too long to compare in full counts as
// changed where it differs from the other at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Compose.h"

// One command of a frame: its hash (the same for two commands that draw the
// same pixels the same way) and the pixels it may change.
struct FrameEntry {
    uint64_t hash = 0;
    ComposeBox box;
};

// The boxes of every command of `before` and `after` that the other list does
// not hold at the same place in the order: the commands both lists share at
// their start and end, then the longest common subsequence of what lies
// between, as long as that is at most `cellCap` pairs to compare (all of it
// changed beyond). A pixel outside every box returned is drawn by the same
// commands in the same order in both lists.
std::vector<ComposeBox> ChangedBoxes(const std::vector<FrameEntry>& before,
                                     const std::vector<FrameEntry>& after, size_t cellCap);

// Merges boxes into at most `most` boxes that cover them all and do not
// overlap: boxes that overlap or whose union wastes little become one, then
// the pair whose union wastes least, until few enough are left. Empty boxes
// go.
std::vector<ComposeBox> MergeBoxes(std::vector<ComposeBox> boxes, size_t most);

// The smallest box holding both.
ComposeBox UnionBox(const ComposeBox& a, const ComposeBox& b);
// What two boxes share (empty when nothing).
ComposeBox IntersectBox(const ComposeBox& a, const ComposeBox& b);
