// tiles.h -- the room's tiles that other pictures are built on.
#pragma once

#include "tools/canvas.h"

TCanvas wall_tile(); // the back wall, 32 x 64; the closing picture's door stands in it
