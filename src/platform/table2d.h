#pragma once
// A dense table of rows x cols entries of T, indexed (row, column) from 0 and stored row after row in one
// block. `at` refuses an index outside the table (std::out_of_range, naming the table); the fills clip to
// it. The named tables of the engine (cell table, region graph, cell drawing, tile names, work grid) keep
// their own fixed sizes and field accessors around one of these.

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace trevalon {

template <class T>
class Table2D {
  public:
    // `name` ("cell drawing") appears in the message of a refused index; it must outlive the table.
    explicit Table2D(const char* name = "table") : name_(name) {}
    Table2D(int rows, int cols, const char* name = "table", const T& value = T{}) : name_(name) {
        assign(rows, cols, value);
    }

    // Every entry value, at a new size; a negative size is refused.
    void assign(int rows, int cols, const T& value = T{}) {
        if (rows < 0 || cols < 0) throw std::out_of_range(std::string("negative size of the ") + name_);
        rows_ = rows;
        cols_ = cols;
        cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), value);
    }

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    std::size_t size() const { return cells_.size(); }

    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows_ && c < cols_; }

    T& at(int r, int c) {
        check(r, c);
        return cells_[index(r, c)];
    }
    const T& at(int r, int c) const {
        check(r, c);
        return cells_[index(r, c)];
    }

    // Row r as cols() contiguous entries, for moves within a row; the row must be inside the table.
    T* row(int r) {
        check(r, 0);
        return cells_.data() + index(r, 0);
    }
    const T* row(int r) const {
        check(r, 0);
        return cells_.data() + index(r, 0);
    }

    // Every entry, or rows r0..r1 by columns c0..c1 clipped to the table, becomes value.
    void fill(const T& value) { std::fill(cells_.begin(), cells_.end(), value); }
    void fill(int r0, int r1, int c0, int c1, const T& value) {
        r0 = std::max(r0, 0);
        c0 = std::max(c0, 0);
        r1 = std::min(r1, rows_ - 1);
        c1 = std::min(c1, cols_ - 1);
        if (r0 > r1 || c0 > c1) return;
        for (int r = r0; r <= r1; ++r) {
            const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(r, c0));
            std::fill(first, first + (c1 - c0 + 1), value);
        }
    }

  private:
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c);
    }
    void check(int r, int c) const {
        if (!inside(r, c))
            throw std::out_of_range("cell " + std::to_string(r) + "," + std::to_string(c) +
                                    " is outside the " + name_);
    }

    const char* name_;
    int rows_ = 0, cols_ = 0;
    std::vector<T> cells_;
};

}  // namespace trevalon
