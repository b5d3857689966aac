#pragma once
// Reading GasouL.dat, the layer definitions.

#include <string_view>

#include "core/layer_table.hpp"

namespace lwall {

// Reads GasouL.dat: a count, then rows of colour, line-type code, pen width and name separated by
// white space. Malformed text throws RunFailure with status 6 naming the file, line and field.
LayerTable read_layer_table(std::string_view text);

}  // namespace lwall
