// PelquornDragData: the ids of dragged categories, tasks or plan entries, and their record in global memory.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <vector>

// The record, little-endian and without padding whatever the program's word
// size: a 32-bit kind, a 32-bit count, then count 32-bit ids.
class PelquornDragData {
public:
    static constexpr std::int32_t kCategory = 0;
    static constexpr std::int32_t kTasks = 1;
    static constexpr std::int32_t kPlanEntries = 2;

    PelquornDragData() = default;
    PelquornDragData(std::int32_t kind, std::vector<std::int32_t> ids) : kind(kind), ids(std::move(ids)) {}
    // Reads a record of `size` bytes. Throws ComError: E_OUTOFMEMORY for a
    // null block, ERROR_INVALID_DATA for one shorter than its header or its
    // count of ids.
    PelquornDragData(const void* block, SIZE_T size);
    virtual ~PelquornDragData() = default;

    // A fixed, zero-initialised block holding the record; the caller (or the
    // medium it is handed to) frees it. Null when it cannot be allocated.
    HGLOBAL CreateBlock() const;

    std::int32_t kind = kCategory;
    std::vector<std::int32_t> ids;
};

// The byte size of a record with `count` ids.
SIZE_T DragDataSize(SIZE_T count);
// The first id of a record; null for a null block.
const void* DragDataIds(const void* block);

// The record a data object offers under the private format. Throws ComError
// when it offers none (with the data object's answer) or a malformed one.
PelquornDragData GetDragData(IDataObject* dataObject, CLIPFORMAT format);
