// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The store's error for "another program changed the data file": a change or a read aimed at
// a machine whose record or gear list in the file is no longer what this store last read.
// Nothing was changed. A caller tells it from other failures by its type, reloads the table
// (MachineStore::reload) and shows what is stored now.

#include "store/store_error.h"

namespace gearsel {

class StoreConflict : public StoreError {
public:
    using StoreError::StoreError;
};

} // namespace gearsel
