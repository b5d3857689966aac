#pragma once
// The views of frame 1 written straight into the drawing file's buffer, as they are drawn, instead
// of being recorded and written later: the way of a run that writes only the drawing file and the
// script, so that it pays for no copy of the sheet. Behind the drawing file's own writer in the
// fan-out, this sink notes where each entity's record stands in the buffer, where each view lies and
// what the overlap pass needs of each entity, and keeps a copy of each text. Once the pass has run,
// the records of what it moved are rewritten in place, and every text, moved, is handed on to the
// sinks that read the sheet back.
//
// A view that would have to move whole cannot be moved here, nor a record that would change its
// length: the run is started over and drawn the recording way (ViewsMustMove).

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sheet_frames.hpp"
#include "output/chunk_store.hpp"
#include "output/entity_sink.hpp"
#include "output/output_sink.hpp"
#include "output/overlap_pass.hpp"

namespace lwall {

// Thrown where streamed views turn out to need a move that cannot be written over them.
struct ViewsMustMove {};

class StreamedBlocks final : public EntitySink {
public:
    // The texts and lines of layers starting with `fixed_prefix` never move.
    StreamedBlocks(const OutputSink& drawing_file, std::string_view fixed_prefix)
        : file_(drawing_file), last_end_(drawing_file.size()), fixed_prefix_(fixed_prefix) {}

    // What is drawn from now on belongs to a new view.
    void open_block() { extents_.emplace_back(); }

    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    std::vector<Extent> extents() const { return extents_; }
    // Every entity, in drawing order, as the overlap pass sees it.
    void add_items(std::vector<SheetItem>& items) const;
    // Writes the records of the entities `moves` moves (in the order add_items listed them) over
    // their old records in the drawing file, and hands every text, moved, to `texts`. False, with
    // nothing written, where a moved record would not have the length of the old one (a point
    // gaining a digit).
    bool place(OutputSink& drawing_file, std::span<const ItemMove> moves, EntitySink& texts) const;

private:
    enum class Kind : std::uint8_t { line, text, circle };
    struct Record {
        Kind kind;
        bool fixed;
        std::uint32_t index;     // a line: its pen in pens_; a text or a circle: into texts_, circles_
        std::size_t end;         // where its record ends in the drawing file (counted as size() counts)
        double x1, y1, x2, y2;  // a line's ends; a text's insertion point; a circle's centre and radius (x2)
    };
    struct Pen {
        std::string_view layer;
        int colour;
        double width;
    };
    void note(Kind kind, bool fixed, const Extent& e, std::uint32_t index, double x1, double y1, double x2, double y2);
    std::string_view kept(std::string_view s);
    LineEntity line_of(const Record& r) const;
    TextEntity text_of(const Record& r, Point d) const;

    const OutputSink& file_;
    std::size_t first_start_ = 0;
    std::size_t last_end_;
    std::vector<Extent> extents_;
    ChunkStore<Record> records_;
    std::vector<Pen> pens_;
    ChunkStore<TextEntity> texts_;
    ChunkStore<CircleEntity> circles_;
    std::deque<std::string> strings_;  // what the kept texts, layers and styles point into
    std::string_view last_layer_, last_style_;  // as kept
    std::string fixed_prefix_;
};

}  // namespace lwall
