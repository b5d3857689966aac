#pragma once
// A failure that ends the run: the console line (Shift_JIS, without its line end) and the exit
// status. Thrown where the failure is found, caught once by the run driver, which prints the
// line, keeps what was written so far and ends with the status.

#include <string>
#include <string_view>
#include <utility>

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
    kExitExtraFile = 9,     // Lwall.svg, Lwall.csv or Lwall.pdf cannot be created or written
    kExitListen = 10,       // lwall serve cannot listen on its address and port
    kExitNoPdf = 11,        // lwall --pdf where no PDF can be made: no PDF writer in the build or beside
                            // the program (the Windows program), or no font for Japanese text
};

struct RunFailure {
    int status;
    std::string message;
    // A message box shown before the process ends (empty caption: none).
    std::string box_caption;
    std::string box_text;
    // The input value refused, where there is one: its line of the file and its field name
    // ("W1.pitch[2]", "row 3 colour"), so that an editor can mark it.
    int line = 0;
    std::string field;

    RunFailure(int s, std::string m) : status(s), message(std::move(m)) {}
    RunFailure(int s, std::string m, std::string caption, std::string text)
        : status(s), message(std::move(m)), box_caption(std::move(caption)), box_text(std::move(text)) {}
};

// "<file> line <n>, <field>: <what>", the one form of every message about an input value.
inline std::string input_message(std::string_view file, int line, std::string_view field, std::string_view what) {
    return std::string(file) + " line " + std::to_string(line) + ", " + std::string(field) + ": " + std::string(what);
}

// Status 6 with that message, carrying the line and the field for a front end to mark.
inline RunFailure input_refusal(std::string_view file, int line, std::string_view field, std::string_view what) {
    RunFailure f(kExitBadInput, input_message(file, line, field, what));
    f.line = line;
    f.field = field;
    return f;
}

}  // namespace lwall
