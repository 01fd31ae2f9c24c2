#pragma once

#include <optional>

namespace kora {

class TanlRuler;

// One point is 4/3 pixel: pixels become whole points, truncated toward zero.
int rulerPixelsToPoints(int pixels);

// What the ruler reports when a marker is released.
struct RulerPixels
{
    int indentFirst = 0;
    int indentLeft = 0;
    int indentRight = 0;
    int clientWidth = 0;
};

// The paragraph indents, in whole points, that a released marker sets on the selection; the
// ones left empty stay as they are. Write them in this order.
struct RulerIndentPoints
{
    std::optional<int> first; // first line from the left edge
    std::optional<int> left;  // further lines, relative to the first line
    std::optional<int> right; // from the right edge
    bool operator==(const RulerIndentPoints &) const = default;
};

// The indents for the marker indentId (0 first line, 1 left, 2 right, 3 combined) released at
// the ruler's positions. The left marker's position is absolute, so the left indent is taken
// relative to the first indent: for the left marker alone, selectionFirstIndent, the first
// indent the editor reports for the selection; for the first-line and combined markers, the
// first indent they set, which the editor then reports. The right indent counts from the
// ruler's client width less 10 pixels.
RulerIndentPoints rulerIndentPoints(int indentId, const RulerPixels &ruler, int selectionFirstIndent);
RulerIndentPoints rulerIndentPoints(int indentId, const TanlRuler &ruler, int selectionFirstIndent);

} // namespace kora
