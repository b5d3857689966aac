#pragma once
// Annotators of the bar shapes: they read back the points a shape builder has just drawn (same
// origin) and dimension every leg, both in the drawing (on the current pen) and as a script
// "dimlinear" with the leg text as override, except type 4, whose legs get drawing dimensions
// only. A real bar then gets its call-out label "mark count-size ×length" with the mark ringed;
// a shape of the legend gets its caption "形 式 N" instead.
//
// Dimension lines lie 700 from the leg unless stated, extension lines start dim_ext_gap off the
// leg, texts are 125 high and centred on the leg by their byte count.

#include <string_view>

#include "core/bar_list.hpp"
#include "output/primitives/canvas.hpp"
#include "schedule/bar_shapes.hpp"

namespace lwall {

inline constexpr double kDimTextHeight = 125;
inline constexpr double kDimDistance = 700;

// Leg texts are printed unchanged: lengths as "%5.0lf", lap texts, or the leg names of the legend;
// an empty text is a leg of length 0, which is not dimensioned. The label shows the mark, count, size text and total length of `bar`.
void label_shape_1(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   const ScheduleRow& bar);
void label_shape_2(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar);
void label_shape_3(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar);
void label_shape_4(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar);
void label_shape_5(Canvas& cv, const ShapePoints& s, std::string_view text1, const ScheduleRow& bar);
void label_shape_5_inclined(Canvas& cv, const ShapePoints& s, std::string_view text1, const ScheduleRow& bar);
void label_shape_6(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   const ScheduleRow& bar);

// A bar in two lapped pieces: text1 the whole bar, text2 piece 1, text3 the lap, text4 piece 2.
// Label 1 names `bar`, the row of piece 1, with text2; label 2 names `second_label`, the row of
// piece 2, with text4: each piece carries the mark of the row whose length it is.
void label_shape_5_lapped(Canvas& cv, const ShapePoints& first, const ShapePoints& second, std::string_view text1,
                          std::string_view text2, std::string_view text3, std::string_view text4,
                          const ScheduleRow& bar, const ScheduleRow& second_label);
void label_shape_5_lapped_inclined(Canvas& cv, const ShapePoints& first, const ShapePoints& second,
                                   std::string_view text1, std::string_view text2, std::string_view text3,
                                   std::string_view text4, const ScheduleRow& bar, const ScheduleRow& second_label);

// Legend of the shape types: the legs dimensioned with their names and the caption "形 式 N".
void caption_shape_1(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2);
void caption_shape_2(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3);
void caption_shape_3(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3);
void caption_shape_4(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3);
void caption_shape_5(Canvas& cv, const ShapePoints& s, std::string_view l1);
void caption_shape_6(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2);

}  // namespace lwall
