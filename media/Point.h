// A whole-number point: a pixel position or a board cell.
#pragma once

struct TPoint {
    int X = 0, Y = 0;
};
