#pragma once
// Where an entity lies on the sheet, by the sheet's own measure of text: a text is as long as its
// Shift_JIS byte count times its height (a double-byte character counts twice) times its width
// factor, along its direction from the insertion point, and as high as its height across it. The
// drawings centre their labels by this measure; the sheet set packs its blocks by it, and a writer
// that must know where a text ends uses it too.

#include <string_view>

#include "core/sheet_frames.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

double text_length(std::string_view text, double height, double width_factor = 1);

// Both ends of a line; a circle's centre plus and minus its radius; a text's box, turned by its
// rotation (an aligned text; a simple text stands upright, its angle being the oblique angle).
Extent extent_of(const LineEntity& e);
Extent extent_of(const TextEntity& e);
Extent extent_of(const CircleEntity& e);

}  // namespace lwall
