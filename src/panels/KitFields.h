// The named fields of a kit panel, made from its rows: what the host tools
// show for it (PREFIX.BUTTON_3.STATE, PREFIX.KNOB_2.POSITION, ...), each with
// the control's label in its meaning, so the names can never drift from the
// offsets the panel uses.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "panels/KitRows.h"
#include "shm/FieldInfo.h"

namespace kit {

// The host prefix of a side: the panel's prefix, with "_<side>" for panels in
// several instances.
std::string SidePrefix(const PanelDescription& desc, int side);

// Appends the rows of one side of the panel (A320 region) to rows; the texts
// the rows point to are kept in store, which must outlive the rows.
void AppendFieldRows(const PanelDescription& desc, int side, std::vector<shm::FieldRow>& rows,
                     std::deque<std::string>& store);

}  // namespace kit
