#pragma once
// What the checks found in a wall: warnings only, each naming its line and field.

#include <string>

namespace lwall {

struct Finding {
    int line = 0;         // line of PlenkL.dat
    std::string field;    // the field's name in the catalogue ("W1.count[1]")
    std::string text;     // what is wrong and by how much
    std::string message;  // "PlenkL.dat line <n>, <field>: <text>"
};

}  // namespace lwall
