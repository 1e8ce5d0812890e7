#pragma once
// Laurent polynomials with 64-bit integer coefficients, for the Kauffman bracket and the Jones polynomial.
// Arithmetic that would overflow throws std::overflow_error, so a result is either exact or absent.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace trevalon::testsupport {

class Laurent {
  public:
    Laurent() = default;
    static Laurent monomial(std::int64_t coeff, int exponent);
    // From (coefficient, exponent) terms, e.g. {{1, 1}, {1, 3}, {-1, 4}} for t + t^3 - t^4.
    static Laurent fromTerms(std::initializer_list<std::pair<std::int64_t, int>> terms);

    bool isZero() const { return coeffs_.empty(); }
    int lowest() const { return low_; }
    int highest() const { return low_ + static_cast<int>(coeffs_.size()) - 1; }
    std::int64_t coeff(int exponent) const;

    Laurent& operator+=(const Laurent& o);
    Laurent operator+(const Laurent& o) const;
    Laurent operator-() const;
    Laurent operator*(const Laurent& o) const;
    Laurent shifted(int by) const;  // times x^by
    // Exact division; throws std::domain_error when the divisor does not divide.
    Laurent dividedBy(const Laurent& divisor) const;
    // x -> x^-1 (mirror image for the Jones polynomial).
    Laurent inverted() const;
    // x -> x^(1/k); every exponent must be a multiple of k.
    Laurent exponentsDividedBy(int k) const;
    std::int64_t valueAt(std::int64_t x) const;  // for x = +-1 only (no overflow concerns beyond the sum)

    bool operator==(const Laurent& o) const = default;
    std::string toString(const std::string& var = "t") const;

  private:
    void trim();
    int low_ = 0;
    std::vector<std::int64_t> coeffs_;  // coeffs_[i] is the coefficient of x^(low_ + i)
};

}  // namespace trevalon::testsupport
