#pragma once
// The main window's toolbar: its 30 entries from left to right, and the keys its dispatcher knows.

#include <array>
#include <span>
#include <string_view>

namespace trevalon {

struct ToolbarEntry {
    std::string_view key;
    std::string_view imageKey;  // empty for a gap
    std::string_view tooltip;   // empty for a gap
    int gapTwips = 0;           // width of a gap; 0 for a button
    bool visible = true;
    bool enabledAtStart = false;

    bool isGap() const { return gapTwips > 0; }
};

inline constexpr int kToolbarEntries = 30;

// The entries in toolbar order.
std::span<const ToolbarEntry, kToolbarEntries> ToolbarCommands();
// The entry with this key, or nullptr.
const ToolbarEntry* findToolbarEntry(std::string_view key);

// The keys the dispatcher compares a click with, in its order; any other key does nothing.
std::span<const std::string_view> DispatchKeys();

// The commands `AbilitaBottoni` switches on and off, in its order.
std::span<const std::string_view> DiagramCommandKeys();

}  // namespace trevalon
