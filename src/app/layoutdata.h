#pragma once
// The fixed layout of the main window as data: the window's own properties and
// every control with its place, text, help tag, the properties in which it
// differs from the baseline of its kind, and the events bound to it. The
// layout records are written from these values.

#include <array>
#include <string>
#include <vector>

#include "app/layoutrecord.h"

namespace app {

struct ControlDef {
  std::string name;
  fw::ControlClass cls;
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::string text;  // caption of a button or radio button, text of a label or field
  std::string help;
  std::vector<Entry> differs;
  std::vector<std::string> events;  // in binding order
};

// The controls in order of creation, split into the five creation steps
// (50, 50, 50, 49 and 28 controls).
const std::array<std::vector<ControlDef>, 5>& creationSteps();

// Record entries in the profile order of the control's class.
std::vector<Entry> recordEntries(const ControlDef& def);
// Record entries of the window itself.
std::vector<Entry> windowEntries();

// Applies a window's own record, written from its entries and read back.
void applyWindowRecord(fw::Window& window, const std::vector<Entry>& entries);
// Creates one control of a window: made, added under its name, given its
// record, then bound to the window's handlers for its events.
void createControl(fw::Window& window, const ControlDef& def);

}  // namespace app
