#pragma once
// A part of the sheet drawn now and written later, moved: the entities and script commands of each
// block (a bending drawing, a table) are kept with the block they belong to, in the order they were
// drawn. Once every block is measured and placed, replay hands them on in that same order, each
// moved by its block's offset, so that the drawing file and the script keep their order and only the
// coordinates of the moved blocks change.

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/sheet_frames.hpp"
#include "output/entity_sink.hpp"
#include "output/output_sink.hpp"
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

    // Every entity to `entities` and every command to `script`, in drawing order, each moved by its
    // block's offset (whole drawing units).
    void replay(EntitySink& entities, OutputSink& script, std::span<const double> dx, std::span<const double> dy) const;

private:
    // An entity with its own copies of its texts; its views are bound to them when it is handed on.
    struct Recorded {
        int block;
        std::variant<LineEntity, TextEntity, CircleEntity> entity;
        std::string layer, text, style;
    };
    struct Command {
        int block;
        ScriptCommand command;
    };

    int block();  // the current block, opening one when none is

    std::vector<BlockRole> roles_;
    int current_ = -1;
    std::vector<Recorded> entities_;
    std::vector<Command> commands_;
};

}  // namespace lwall
