#include "support/laurent.h"

#include <algorithm>
#include <stdexcept>

namespace trevalon::testsupport {

namespace {

std::int64_t add(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("Laurent coefficient overflow");
    return r;
}

std::int64_t mul(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw std::overflow_error("Laurent coefficient overflow");
    return r;
}

}  // namespace

Laurent Laurent::monomial(std::int64_t coeff, int exponent) {
    Laurent p;
    if (coeff != 0) {
        p.low_ = exponent;
        p.coeffs_ = {coeff};
    }
    return p;
}

Laurent Laurent::fromTerms(std::initializer_list<std::pair<std::int64_t, int>> terms) {
    Laurent p;
    for (const auto& [c, e] : terms) p += monomial(c, e);
    return p;
}

std::int64_t Laurent::coeff(int exponent) const {
    if (coeffs_.empty() || exponent < low_ || exponent > highest()) return 0;
    return coeffs_[exponent - low_];
}

void Laurent::trim() {
    std::size_t b = 0;
    while (b < coeffs_.size() && coeffs_[b] == 0) ++b;
    if (b == coeffs_.size()) {
        coeffs_.clear();
        low_ = 0;
        return;
    }
    std::size_t e = coeffs_.size();
    while (coeffs_[e - 1] == 0) --e;
    coeffs_ = std::vector<std::int64_t>(coeffs_.begin() + static_cast<std::ptrdiff_t>(b),
                                        coeffs_.begin() + static_cast<std::ptrdiff_t>(e));
    low_ += static_cast<int>(b);
}

Laurent& Laurent::operator+=(const Laurent& o) {
    if (o.isZero()) return *this;
    if (isZero()) return *this = o;
    const int lo = std::min(low_, o.low_);
    const int hi = std::max(highest(), o.highest());
    std::vector<std::int64_t> c(static_cast<std::size_t>(hi - lo + 1), 0);
    for (std::size_t i = 0; i < coeffs_.size(); ++i) c[low_ - lo + i] = coeffs_[i];
    for (std::size_t i = 0; i < o.coeffs_.size(); ++i)
        c[o.low_ - lo + i] = add(c[o.low_ - lo + i], o.coeffs_[i]);
    low_ = lo;
    coeffs_ = std::move(c);
    trim();
    return *this;
}

Laurent Laurent::operator+(const Laurent& o) const {
    Laurent r = *this;
    r += o;
    return r;
}

Laurent Laurent::operator-() const {
    Laurent r = *this;
    for (auto& c : r.coeffs_) c = mul(c, -1);
    return r;
}

Laurent Laurent::operator*(const Laurent& o) const {
    Laurent r;
    if (isZero() || o.isZero()) return r;
    r.low_ = low_ + o.low_;
    r.coeffs_.assign(coeffs_.size() + o.coeffs_.size() - 1, 0);
    for (std::size_t i = 0; i < coeffs_.size(); ++i)
        for (std::size_t j = 0; j < o.coeffs_.size(); ++j)
            r.coeffs_[i + j] = add(r.coeffs_[i + j], mul(coeffs_[i], o.coeffs_[j]));
    r.trim();
    return r;
}

Laurent Laurent::shifted(int by) const {
    Laurent r = *this;
    if (!r.isZero()) r.low_ += by;
    return r;
}

Laurent Laurent::dividedBy(const Laurent& divisor) const {
    if (divisor.isZero()) throw std::domain_error("division by zero polynomial");
    Laurent rem = *this;
    Laurent q;
    const std::int64_t lead = divisor.coeffs_.back();
    while (!rem.isZero() && rem.coeffs_.size() >= divisor.coeffs_.size()) {
        const std::int64_t top = rem.coeffs_.back();
        if (top % lead != 0) throw std::domain_error("inexact polynomial division");
        const Laurent term = monomial(top / lead, rem.highest() - divisor.highest());
        q += term;
        rem += -(term * divisor);
    }
    if (!rem.isZero()) throw std::domain_error("inexact polynomial division");
    return q;
}

Laurent Laurent::inverted() const {
    Laurent r;
    if (isZero()) return r;
    r.low_ = -highest();
    r.coeffs_.assign(coeffs_.rbegin(), coeffs_.rend());
    return r;
}

Laurent Laurent::exponentsDividedBy(int k) const {
    Laurent r;
    for (std::size_t i = 0; i < coeffs_.size(); ++i) {
        if (coeffs_[i] == 0) continue;
        const int e = low_ + static_cast<int>(i);
        if (e % k != 0) throw std::domain_error("exponent not a multiple");
        r += monomial(coeffs_[i], e / k);
    }
    return r;
}

std::int64_t Laurent::valueAt(std::int64_t x) const {
    if (x != 1 && x != -1) throw std::domain_error("valueAt supports only +1 and -1");
    std::int64_t v = 0;
    for (std::size_t i = 0; i < coeffs_.size(); ++i) {
        const int e = low_ + static_cast<int>(i);
        v = add(v, (x == -1 && (e % 2 != 0)) ? -coeffs_[i] : coeffs_[i]);
    }
    return v;
}

std::string Laurent::toString(const std::string& var) const {
    if (isZero()) return "0";
    std::string s;
    for (std::size_t i = 0; i < coeffs_.size(); ++i) {
        const std::int64_t c = coeffs_[i];
        if (c == 0) continue;
        const int e = low_ + static_cast<int>(i);
        const std::int64_t a = c < 0 ? -c : c;
        if (s.empty())
            s += c < 0 ? "-" : "";
        else
            s += c < 0 ? " - " : " + ";
        if (e == 0 || a != 1) s += std::to_string(a);
        if (e != 0) {
            s += var;
            if (e != 1) s += "^" + std::to_string(e);
        }
    }
    return s;
}

}  // namespace trevalon::testsupport
