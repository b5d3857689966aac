#pragma once
// A failure that ends the run: the console line (in both languages, UTF-8, without its line end)
// and the exit status. Thrown where the failure is found, caught once by the run driver, which
// prints the line, keeps what was written so far and ends with the status.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/messages.hpp"

namespace lwall {

enum ExitStatus : int {
    kExitOk = 0,
    kExitDrawingFile = 1,   // Lwall.dxf cannot be created or written; also the size limits
    kExitScriptFile = 2,    // plenk.scr cannot be created or written
    kExitWallInput = 3,     // PlenkL.dat cannot be opened
    kExitLayerFile = 4,     // GasouL.dat cannot be opened
    kExitMemberLength = 5,  // a footing bar piece longer than the maximum member length
    kExitBadInput = 6,      // malformed or unusable input
    kExitFindings = 7,      // lwall --check found something to look at
    kExitUsage = 8,         // an option lwall does not know
    kExitExtraFile = 9,     // Lwall.svg, Lwall.csv, Lwall.pdf or Lwall-n.sfc cannot be created or written
    kExitListen = 10,       // lwall serve cannot listen on its address and port
    kExitNoPdf = 11,        // lwall --pdf where no PDF can be made: no PDF writer in the build or beside
                            // the program (the Windows program), or no font for Japanese text
    kExitAudit = 12,        // the sheet, read back once drawn, disagrees with itself: a label, a leg,
                            // a call-out or a table against the bending schedule
};

struct RunFailure {
    int status;
    Message message;
    // A message box shown before the process ends (empty caption: none), UTF-8.
    std::string box_caption;
    std::string box_text;
    // The input values the failure is about, where there are some: their file, the line of the
    // first, its field name ("W1.pitch[2]", "row 3 colour") and every field involved (the three
    // widths of the width limit), so that an editor can mark them.
    std::string file;  // "PlenkL.dat" or "GasouL.dat"
    int line = 0;
    std::string field;
    std::vector<std::string> fields;
    // The stop with its fields and by how much, where the console line says less (the size limits,
    // the member length): what --check prints and the editor shows. Empty: the message says it.
    Message detail;
    // A refused value: what is wrong with it, without its field ("整数でない「4x」"), for an editor
    // that shows it beside the field.
    Message what;

    RunFailure(int s, Message m) : status(s), message(std::move(m)) {}
    RunFailure(int s, Message m, std::string caption, std::string text)
        : status(s), message(std::move(m)), box_caption(std::move(caption)), box_text(std::move(text)) {}

    const Message& details() const { return detail.empty() ? message : detail; }
};

// Status 6 naming the file, line and field of the refused value, carrying them for a front end.
inline RunFailure input_refusal(const FieldRef& at, const Message& what) {
    RunFailure f(kExitBadInput, field_message(at, what));
    f.what = what;
    f.file = at.file;
    f.line = at.line;
    f.field = at.name;
    f.fields = {std::string(at.name)};
    return f;
}

}  // namespace lwall
