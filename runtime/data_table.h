// data_table.h -- the table of values compiled into the program, read item by item.
//
// The room map (room/room_map.cpp) is the game's only table; start-up points the cursor at it.
#pragma once

#include "runtime/strings.h"

// One embedded item: an int, float, double, byte, short or string value.
struct TDataItem {
    enum Type : char {
        INT = 'i',
        FLOAT = 'f',
        DOUBLE = 'd',
        BYTE = 'b',
        SHORT = 's',
        STRING = '$',
        END = 0
    };
    Type type;
    double number;        // the value of the numeric types
    const char16_t* text; // the value of a string item
};

extern const TDataItem* data_cursor; // the next item read_data_item returns

void restore_data(const TDataItem* label); // points data_cursor at a label of a table
int read_data_item(); // the item at the cursor, as int; advances the cursor (0 at the end marker)
