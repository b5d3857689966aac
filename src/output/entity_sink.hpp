#pragma once
// The one place every drawn entity passes: the drafting primitives hand each LINE, TEXT and CIRCLE
// to an entity sink, and the sheet's outputs (the drawing file, the picture, and any other view of
// the sheet) are sinks behind one fan-out. A sink does not know who else reads the sheet.
// Points arrive with the view origin added; numbers are as computed, each sink formats its own.

#include <string_view>
#include <vector>

namespace lwall {

struct LineEntity {
    std::string_view layer;
    int colour = 0;
    double width = 0;  // pen width in paper millimetres
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

enum class TextForm {
    simple,   // insertion point, height, oblique angle and width factor
    aligned,  // a first and a second alignment point, a rotation and a style
};

struct TextEntity {
    TextForm form = TextForm::simple;
    std::string_view layer;
    double width = 0;
    int colour = 0;
    int height = 0;
    std::string_view text;  // Shift_JIS
    double width_factor = 1;
    double angle = 0;  // simple: oblique angle; aligned: rotation, counterclockwise in degrees
    std::string_view style;  // aligned only
    double x1 = 0, y1 = 0;
    double x2 = 0, y2 = 0;  // aligned only
};

struct CircleEntity {
    std::string_view layer;
    double width = 0;
    double x = 0, y = 0, radius = 0;
};

class EntitySink {
public:
    virtual ~EntitySink() = default;
    virtual void line(const LineEntity& e) = 0;
    virtual void text(const TextEntity& e) = 0;
    virtual void circle(const CircleEntity& e) = 0;
};

// Hands every entity to each of its sinks, in the order they were added.
class EntityFanOut final : public EntitySink {
public:
    void add(EntitySink& sink) { sinks_.push_back(&sink); }
    void remove(const EntitySink& sink) { std::erase(sinks_, &sink); }

    void line(const LineEntity& e) override {
        for (EntitySink* s : sinks_) s->line(e);
    }
    void text(const TextEntity& e) override {
        for (EntitySink* s : sinks_) s->text(e);
    }
    void circle(const CircleEntity& e) override {
        for (EntitySink* s : sinks_) s->circle(e);
    }

private:
    std::vector<EntitySink*> sinks_;
};

}  // namespace lwall
