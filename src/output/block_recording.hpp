#pragma once
// A part of the sheet drawn now and written later, moved: the entities and script commands of each
// block (a view of frame 1, a bending drawing, a table) are kept with the block they belong to, in
// the order they were drawn. Once every block is measured and placed, replay hands them on in that
// same order, each moved by its block's offset, so that the drawing file and the script keep their
// order and only the coordinates of the moved blocks change.
//
// Most of a sheet passes through here, so an entity is kept as it came, in storage that never moves
// once written: its layer and style names point into the recording's own list of names, its text
// into the recording's own text store.

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sheet_frames.hpp"
#include "output/chunk_store.hpp"
#include "output/entity_sink.hpp"
#include "output/output_sink.hpp"
#include "output/overlap_pass.hpp"
#include "output/script/script_command.hpp"

namespace lwall {

class BlockRecording final : public EntitySink {
public:
    // A new block of the given role; what is drawn from now on belongs to it. Returns its number.
    int open_block(BlockRole role);
    // What is drawn from now on belongs to block `block` again.
    void select_block(int block) { current_ = block; }

    void line(const LineEntity& e) override;
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;
    void script(ScriptCommand c);

    int block_count() const { return static_cast<int>(roles_.size()); }
    BlockRole role(int block) const { return roles_[static_cast<std::size_t>(block)]; }
    // Where each block was drawn (empty for a block that drew nothing).
    std::vector<Extent> extents() const;

    // Every entity, in drawing order, as the overlap pass sees it, moved by its block's offset; the
    // texts and lines of layers starting with `fixed_prefix` never move.
    void add_items(std::vector<SheetItem>& items, std::span<const double> dx, std::span<const double> dy,
                   std::string_view fixed_prefix) const;
    // Each entity's own move on top of its block's, in the order add_items listed them (empty: none).
    void set_item_moves(std::span<const ItemMove> moves) { item_moves_.assign(moves.begin(), moves.end()); }

    // Every entity to `entities` and every command to `script`, in drawing order, each moved by its
    // block's offset and its own (whole drawing units).
    void replay(EntitySink& entities, OutputSink& script, std::span<const double> dx, std::span<const double> dy) const;

private:
    enum class Kind : std::uint8_t { line, text, circle };
    void grow(int block, const Extent& e);
    struct Drawn {
        Kind kind;
        int block;
        std::uint32_t index;  // into lines_, texts_ or circles_
    };
    struct Command {
        int block;
        ScriptCommand command;
    };

    int block();  // the current block, opening one when none is
    // The name found last, as kept: one for layers, one for styles.
    struct NameCache {
        std::string_view kept;
    };
    std::string_view name(std::string_view s, NameCache& cache);  // s as kept in names_
    std::string_view keep(std::string_view s);  // s as kept in the text store

    template <typename Visit>
    void each(Visit&& visit) const;

    std::vector<BlockRole> roles_;
    int current_ = -1;
    std::vector<Drawn> drawn_;
    ChunkStore<LineEntity> lines_;
    ChunkStore<TextEntity> texts_;
    ChunkStore<CircleEntity> circles_;
    std::deque<std::string> names_;  // layer and style names
    NameCache layer_cache_, style_cache_;
    std::vector<Extent> extents_;    // per block, grown as it is drawn
    std::vector<std::unique_ptr<char[]>> text_chunks_;
    std::size_t text_size_ = 0, text_used_ = 0;  // of the last text chunk
    std::vector<Command> commands_;
    std::vector<ItemMove> item_moves_;
};

}  // namespace lwall
