#pragma once
// A dense table of rows x cols entries of T, indexed (row, column) from 0 and stored row after row in one
// block. `at` refuses an index outside the table (std::out_of_range, naming the table); the fills clip to
// it. The named tables of the engine (cell table, region graph, cell drawing, tile names, work grid) keep
// their own field accessors around one of these.
//
// Table2D<T, Rows, Cols> has its size fixed at compile time (the big tables: their bounds are constants,
// which keeps the checked accesses in the layout's inner loops as fast as unchecked ones); Table2D<T> is
// sized at run time with `assign`.
//
// A fixed-size table of trivially copyable entries made with its name only starts zeroed, and making one
// costs next to nothing: a large block is mapped from the system as fresh pages, which the system zeroes
// only when they are first touched, and given back to it when the table goes. So a cell table of
// 1501 x 1501 that is used in one corner costs that corner. Its entries are then T{} only for an entry type
// whose default is all zero (the engine's cells are).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace trevalon {

inline constexpr int kRuntimeSize = -1;

namespace table2d_detail {

template <int Rows, int Cols>
struct Extent {
    static constexpr int rows() { return Rows; }
    static constexpr int cols() { return Cols; }
};
template <>
struct Extent<kRuntimeSize, kRuntimeSize> {
    int r = 0, c = 0;
    int rows() const { return r; }
    int cols() const { return c; }
};

// Large pages for the whole pages of the n bytes at p, where the system has them; nothing elsewhere.
inline void pagineGrandi(void* p, std::size_t n) {
#if defined(__linux__)
    constexpr std::size_t kPagina = 4096;
    auto* inizio = static_cast<char*>(p);
    const std::size_t scarto = (kPagina - reinterpret_cast<std::uintptr_t>(inizio) % kPagina) % kPagina;
    if (p && n > scarto + kPagina) madvise(inizio + scarto, (n - scarto) / kPagina * kPagina, MADV_HUGEPAGE);
#else
    (void)p;
    (void)n;
#endif
}

// Large pages for the n bytes at p as above, and the pages already written gathered into large pages now,
// where the system can (Linux 6.1 and later); otherwise they stay small.
inline void raccogliInPagineGrandi(void* p, std::size_t n) {
    pagineGrandi(p, n);
#if defined(__linux__) && defined(MADV_COLLAPSE)
    constexpr std::size_t kPagina = 4096;
    auto* inizio = static_cast<char*>(p);
    const std::size_t scarto = (kPagina - reinterpret_cast<std::uintptr_t>(inizio) % kPagina) % kPagina;
    if (p && n > scarto + kPagina) madvise(inizio + scarto, (n - scarto) / kPagina * kPagina, MADV_COLLAPSE);
#endif
}

// n entries of a trivially copyable T in one block, zeroed. A block of kBloccoMappato bytes or more is
// mapped on its own: calloc would hand out a block freed before from its own pool, which it must then
// fill with zeros whole (the allocator keeps blocks up to tens of megabytes once some have been freed).
template <class T>
class ZeroedBlock {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    explicit ZeroedBlock(std::size_t n) : n_(n), p_(allocate(n)) {}
    // A copy writes the whole block: a mapped one asks for large pages first.
    ZeroedBlock(const ZeroedBlock& o) : n_(o.n_), p_(allocate(o.n_)) {
        if (mappato(n_)) paginaGrande();
        if (n_ != 0) std::memcpy(p_, o.p_, n_ * sizeof(T));
    }
    ZeroedBlock(ZeroedBlock&& o) noexcept : n_(std::exchange(o.n_, 0)), p_(std::exchange(o.p_, nullptr)) {}
    ZeroedBlock& operator=(const ZeroedBlock& o) {
        if (this != &o) {
            if (n_ != o.n_)
                *this = ZeroedBlock(o);
            else if (n_ != 0)
                std::memcpy(p_, o.p_, n_ * sizeof(T));
        }
        return *this;
    }
    ZeroedBlock& operator=(ZeroedBlock&& o) noexcept {
        std::swap(n_, o.n_);
        std::swap(p_, o.p_);
        return *this;
    }
    ~ZeroedBlock() { release(p_, n_); }

    std::size_t size() const { return n_; }
    // Asks the system to back the pages of the block not yet touched with large pages where it can: a table
    // that is filled over most of its size then costs far fewer page faults, and walks over it miss the
    // address cache far less. A block of a few large pages that is used in one corner costs those pages.
    void paginaGrande() { pagineGrandi(p_, n_ * sizeof(T)); }
    void raccogliInPagineGrandi() { table2d_detail::raccogliInPagineGrandi(p_, n_ * sizeof(T)); }
    T* data() { return p_; }
    const T* data() const { return p_; }
    T* begin() { return p_; }
    T* end() { return p_ + n_; }
    T& operator[](std::size_t i) { return p_[i]; }
    const T& operator[](std::size_t i) const { return p_[i]; }

  private:
    static constexpr std::size_t kBloccoMappato = std::size_t{1} << 20;

    static bool mappato(std::size_t n) {
#if defined(__linux__)
        return n * sizeof(T) >= kBloccoMappato;
#else
        (void)n;
        return false;
#endif
    }
    static T* allocate(std::size_t n) {
        if (n == 0) return nullptr;
        void* p = nullptr;
#if defined(__linux__)
        if (mappato(n)) {
            p = mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p == MAP_FAILED) throw std::bad_alloc();
            return static_cast<T*>(p);
        }
#endif
        p = std::calloc(n, sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    static void release(T* p, std::size_t n) {
        if (!p) return;
#if defined(__linux__)
        if (mappato(n)) {
            munmap(p, n * sizeof(T));
            return;
        }
#endif
        std::free(p);
    }

    std::size_t n_;
    T* p_;
};

}  // namespace table2d_detail

template <class T, int Rows = kRuntimeSize, int Cols = kRuntimeSize>
class Table2D {
    static constexpr bool kFixed = Rows != kRuntimeSize;
    static_assert(kFixed == (Cols != kRuntimeSize), "fix both sizes or neither");
    static_assert(!kFixed || (Rows >= 0 && Cols >= 0), "a table has no negative size");

    static constexpr bool kZeroed = kFixed && std::is_trivially_copyable_v<T>;
    static constexpr std::size_t kFixedSize =
        kFixed ? static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols) : 0;
    using Storage = std::conditional_t<kZeroed, table2d_detail::ZeroedBlock<T>, std::vector<T>>;

  public:
    // `name` ("cell drawing") appears in the message of a refused index; it must outlive the table.
    // A fixed-size table starts with every entry T{} (zeroed, see above); a run-time one starts empty.
    explicit Table2D(const char* name = "table") : name_(name), cells_(kFixedSize) {}
    // A fixed-size table with every entry value.
    Table2D(const char* name, const T& value) requires(kFixed) : name_(name), cells_(kFixedSize) {
        fill(value);
    }
    Table2D(int rows, int cols, const char* name = "table", const T& value = T{}) requires(!kFixed)
        : name_(name) {
        assign(rows, cols, value);
    }

    // Every entry value, at a new size; a negative size is refused.
    void assign(int rows, int cols, const T& value = T{}) requires(!kFixed) {
        if (rows < 0 || cols < 0) throw std::out_of_range(std::string("negative size of the ") + name_);
        extent_.r = rows;
        extent_.c = cols;
        cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), value);
    }

    int rows() const { return extent_.rows(); }
    int cols() const { return extent_.cols(); }
    std::size_t size() const { return cells_.size(); }
    // See ZeroedBlock::paginaGrande.
    void paginaGrande() requires(kZeroed) { cells_.paginaGrande(); }

    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows() && c < cols(); }

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
        r1 = std::min(r1, rows() - 1);
        c1 = std::min(c1, cols() - 1);
        if (r0 > r1 || c0 > c1) return;
        for (int r = r0; r <= r1; ++r) {
            const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(r, c0));
            std::fill(first, first + (c1 - c0 + 1), value);
        }
    }

  private:
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols()) + static_cast<std::size_t>(c);
    }
    void check(int r, int c) const {
        if (!inside(r, c)) refuse(r, c);
    }
    [[noreturn]] void refuse(int r, int c) const {
        throw std::out_of_range("cell " + std::to_string(r) + "," + std::to_string(c) + " is outside the " +
                                name_);
    }

    const char* name_;
    [[no_unique_address]] table2d_detail::Extent<Rows, Cols> extent_;
    Storage cells_;
};

}  // namespace trevalon
