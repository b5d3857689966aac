#include "core/bar_list.hpp"

#include <stdexcept>

namespace lwall {

namespace {

bool is_fixed_row(int row) {
    return (row >= 1 && row < BarList::kFirstPieceRow) || (row >= BarList::kW5 && row <= BarList::kLastRow);
}

}  // namespace

std::array<int, 3> shape_leg_multiplicity(std::string_view shape_code) {
    if (shape_code == "1") return {1, 1, 0};
    if (shape_code == "2" || shape_code == "6") return {2, 1, 0};
    if (shape_code == "3") return {2, 2, 1};
    if (shape_code == "4") return {1, 1, 1};
    return {1, 0, 0};
}

ScheduleRow& BarList::fixed(int row) {
    if (!is_fixed_row(row)) throw std::out_of_range("bar list: row " + std::to_string(row) + " is not a fixed row");
    return fixed_[row];
}

const ScheduleRow& BarList::fixed(int row) const {
    if (!is_fixed_row(row)) throw std::out_of_range("bar list: row " + std::to_string(row) + " is not a fixed row");
    return fixed_[row];
}

ScheduleRow& BarList::piece(int row) {
    if (row < kFirstPieceRow) throw std::out_of_range("bar list: row " + std::to_string(row) + " is not a piece row");
    const auto index = static_cast<std::size_t>(row - kFirstPieceRow);
    if (index >= pieces_.size()) pieces_.resize(index + 1);
    return pieces_[index];
}

const ScheduleRow& BarList::piece(int row) const {
    static const ScheduleRow kEmpty;
    if (row < kFirstPieceRow) throw std::out_of_range("bar list: row " + std::to_string(row) + " is not a piece row");
    const auto index = static_cast<std::size_t>(row - kFirstPieceRow);
    return index < pieces_.size() ? pieces_[index] : kEmpty;
}

std::vector<const ScheduleRow*> BarList::printed_rows() const {
    std::vector<const ScheduleRow*> rows;
    for_each_row([&](const ScheduleRow& r) {
        if (r.used()) rows.push_back(&r);
    });
    return rows;
}

}  // namespace lwall
