// figures.h -- the looks and poses of the game's people, shared by their animation strips and
// the pieces of the closing picture.
#pragma once

#include "tools/figure.h"

const TLook& guest_look(int kind); // kind 0..5: the six guest looks
const TLook& host_look();
TPose seated_pose(); // seated at the table, hands on its edge
