#pragma once
// The fixed layout of the protocol window: its own properties and its five
// controls, as data from which its layout records are written.

#include <vector>

#include "app/layoutdata.h"

namespace app {

// The controls in order of creation.
const std::vector<ControlDef>& protokollControls();
// Record entries of the protocol window itself.
std::vector<Entry> protokollWindowEntries();

}  // namespace app
