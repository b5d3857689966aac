#pragma once
// What the checks found in a wall: warnings only, each naming its line and field.

#include <string>

#include "core/messages.hpp"

namespace lwall {

struct Finding {
    int line = 0;         // line of PlenkL.dat
    std::string field;    // the field's name in the catalogue ("W1.count[1]")
    Message text;         // what is wrong and by how much
    Message message;      // the field's label, name and line, then the text
};

}  // namespace lwall
