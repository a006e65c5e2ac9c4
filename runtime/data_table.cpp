// data_table.cpp -- the embedded table's read cursor and the conversion of its items to int.
#include "runtime/data_table.h"

#include <cstdint>

#include "runtime/numeric.h"

const TDataItem* data_cursor = nullptr;

void restore_data(const TDataItem* label) {
    data_cursor = label;
}

int read_data_item() {
    // The end marker (or no table at all) reads as 0 and keeps the cursor where it is, so reading
    // past a table's last item cannot run off into memory beyond it.
    if (!data_cursor || data_cursor->type == TDataItem::END) return 0;
    const TDataItem& item = *data_cursor++;
    switch (item.type) {
    case TDataItem::INT:
        return to_int(item.number);
    case TDataItem::BYTE:
        return uint8_t(to_int(item.number));
    case TDataItem::SHORT:
        return uint16_t(to_int(item.number));
    case TDataItem::FLOAT:
        return to_int(float(item.number));
    case TDataItem::DOUBLE:
        return to_int(item.number);
    case TDataItem::STRING:
        return item.text ? string_to_int(item.text) : 0;
    default:
        return 0;
    }
}
