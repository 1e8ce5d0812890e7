#include "moves/compare.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trevalon {

namespace {

// Working tables of the smallest reading, kept between calls: a search computes it for every diagram it
// reaches.
struct Lavoro {
    std::vector<int> dense;                   // dense index of each passage's label, by first appearance
    std::vector<int> perEtichetta;            // dense index per small label, -1 when not yet seen
    std::vector<std::pair<int, int>> grandi;  // (label, dense index) of labels beyond the passage count
    std::vector<int> best, current;
    std::vector<int> nuovo, stamp;  // new label per dense index, valid where stamp is the reading's
};

// The smallest of the 4n readings, each passage as 2 * new label + (own sign is '+').
const std::vector<int>& letturaMinima(const std::vector<VoceScifta>& voci) {
    thread_local Lavoro w;
    const int n = static_cast<int>(voci.size());
    const std::size_t un = voci.size();
    auto at = [](auto& v, int k) -> decltype(auto) { return v[static_cast<std::size_t>(k)]; };

    // Labels are mapped to dense indices once, in order of appearance, so that renumbering needs only a
    // small table per reading. Labels of a rewritten code are small; larger ones are looked up by a scan.
    w.dense.assign(un, 0);
    w.perEtichetta.assign(un + 1, -1);
    w.grandi.clear();
    int distinte = 0;
    for (int k = 0; k < n; ++k) {
        const int label = at(voci, k).label;
        int* idx = nullptr;
        if (label >= 0 && label <= n) {
            idx = &at(w.perEtichetta, label);
        } else {
            for (auto& [l, i] : w.grandi)
                if (l == label) idx = &i;
            if (!idx) idx = &w.grandi.emplace_back(label, -1).second;
        }
        if (*idx < 0) *idx = distinte++;
        at(w.dense, k) = *idx;
    }

    // Each reading is compared with the best so far as it is renumbered, and dropped at the first passage
    // that is larger.
    w.best.clear();
    w.current.assign(un, 0);
    w.nuovo.assign(un, 0);
    w.stamp.assign(un, -1);
    int lettura = 0;
    for (int dir = 0; dir < 2; ++dir) {
        for (int start = 0; start < n; ++start, ++lettura) {
            int next = 0;
            bool smaller = w.best.empty();  // already known to be below best
            bool worse = false;
            int k = start;
            for (int s = 0; s < n; ++s) {
                const int di = at(w.dense, k);
                if (at(w.stamp, di) != lettura) {
                    at(w.stamp, di) = lettura;
                    at(w.nuovo, di) = ++next;
                }
                const int code = 2 * at(w.nuovo, di) + (at(voci, k).sign == '+' ? 1 : 0);
                if (!smaller) {
                    const int b = at(w.best, s);
                    if (code > b) {
                        worse = true;
                        break;
                    }
                    if (code < b) smaller = true;
                }
                at(w.current, s) = code;
                k = dir == 0 ? (k + 1 == n ? 0 : k + 1) : (k == 0 ? n - 1 : k - 1);
            }
            if (!worse && smaller) w.best.swap(w.current);
            if (w.current.size() != un) w.current.assign(un, 0);
        }
    }
    return w.best;
}

// One step of the two-pointer minimum expression, at offset k of the readings from i and j, whose items
// there are a and b: on equal items the offset moves on, else the reading with the larger item is passed
// over with all the starts it has shown to be no smaller.
inline void passoDueLetture(int a, int b, std::size_t& i, std::size_t& j, std::size_t& k) {
    if (a == b) {
        ++k;
        return;
    }
    if (a > b)
        i += k + 1;
    else
        j += k + 1;
    if (i == j) ++j;
    k = 0;
}

// Start of the smallest rotation of a cyclic sequence of n items, given written twice (2n items, so that
// no index wraps): the two-pointer minimum expression, in linear time.
template <class T>
std::size_t rotazioneMinima(const T* s, std::size_t n) {
    std::size_t i = 0, j = 1, k = 0;
    while (i < n && j < n && k < n) {
        passoDueLetture(s[i + k], s[j + k], i, j, k);
    }
    return std::min(i, j);
}

std::size_t rotazioneMinima(const std::vector<int>& doppia) {
    return rotazioneMinima(doppia.data(), doppia.size() / 2);
}

// The smallest item of n bytes, and the largest item less twice its low bit (2 * steps, less 2 for sign 1:
// the backward reading's smallest item is 2n less it), the bytes given written twice (the second time read
// only as far as the first chunk past n), 16 at a time where the machine can.
void minimoEMassimoDietro(const std::uint8_t* s, std::size_t n, int& minimo, int& massimoDietro) {
    std::uint8_t mi = 255, ma = 0;
    std::size_t k = 0;
#if defined(__SSE2__)
    if (n >= 16) {
        __m128i vmi = _mm_set1_epi8(static_cast<char>(-1)), vma = _mm_setzero_si128();
        const __m128i uno = _mm_set1_epi8(1);
        for (; k < n; k += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
            const __m128i segno = _mm_and_si128(v, uno);
            vmi = _mm_min_epu8(vmi, v);
            vma = _mm_max_epu8(vma, _mm_sub_epi8(v, _mm_add_epi8(segno, segno)));
        }
        // Halved four times, the first lane holds the smallest and the largest.
        vmi = _mm_min_epu8(vmi, _mm_srli_si128(vmi, 8));
        vma = _mm_max_epu8(vma, _mm_srli_si128(vma, 8));
        vmi = _mm_min_epu8(vmi, _mm_srli_si128(vmi, 4));
        vma = _mm_max_epu8(vma, _mm_srli_si128(vma, 4));
        vmi = _mm_min_epu8(vmi, _mm_srli_si128(vmi, 2));
        vma = _mm_max_epu8(vma, _mm_srli_si128(vma, 2));
        vmi = _mm_min_epu8(vmi, _mm_srli_si128(vmi, 1));
        vma = _mm_max_epu8(vma, _mm_srli_si128(vma, 1));
        mi = static_cast<std::uint8_t>(_mm_cvtsi128_si32(vmi) & 0xff);
        ma = static_cast<std::uint8_t>(_mm_cvtsi128_si32(vma) & 0xff);
    }
#endif
    for (; k < n; ++k) {
        mi = std::min(mi, s[k]);
        ma = std::max(ma, static_cast<std::uint8_t>(s[k] - 2 * (s[k] & 1)));
    }
    minimo = mi;
    massimoDietro = ma;
}

// Where n bytes from x and from y first differ (n when they do not), compared eight at a time.
std::size_t primoDiverso(const std::uint8_t* x, const std::uint8_t* y, std::size_t n) {
    std::size_t j = 0;
    for (; j + 8 <= n; j += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, x + j, 8);
        std::memcpy(&b, y + j, 8);
        if (a != b) {
            const std::uint64_t d = a ^ b;
            if constexpr (std::endian::native == std::endian::little)
                return j + static_cast<std::size_t>(std::countr_zero(d)) / 8;
            else
                return j + static_cast<std::size_t>(std::countl_zero(d)) / 8;
        }
    }
    while (j < n && x[j] == y[j]) ++j;
    return j;
}

// The two-pointer search of rotazioneMinima on bytes, with a run of equal items passed eight at a time: the
// readings of a diagram that repeats a pattern agree for long.
std::size_t rotazioneMinimaByteLunga(const std::uint8_t* s, std::size_t n) {
    std::size_t i = 0, j = 1, k = 0;
    while (i < n && j < n && k < n) {
        // Within the first copy's reach: i + k and j + k stay below 2n.
        k += primoDiverso(s + i + k, s + j + k, n - k);
        if (k >= n) break;
        passoDueLetture(s[i + k], s[j + k], i, j, k);
    }
    return std::min(i, j);
}

// -1, 0 or 1 as n bytes from x come before, equal or after n bytes from y, compared eight at a time.
int confrontaByte(const std::uint8_t* x, const std::uint8_t* y, std::size_t n) {
    const std::size_t j = primoDiverso(x, y, n);
    if (j == n) return 0;
    return x[j] < y[j] ? -1 : 1;
}

// The passages among the first n (at most 128) of bytes written twice that hold `valore`, as bits.
void passaggiCon(const std::uint8_t* s, std::size_t n, std::uint8_t valore, std::uint64_t (&bit)[2]) {
    bit[0] = bit[1] = 0;
    std::size_t k = 0;
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i v = _mm_set1_epi8(static_cast<char>(valore));
        for (; k < n; k += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
            std::uint64_t m = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, v)));
            if (k + 16 > n) m &= (std::uint64_t{1} << (n - k)) - 1;  // the copy's passages are not counted
            bit[k / 64] |= m << (k % 64);
        }
    }
#endif
    for (; k < n; ++k)
        if (s[k] == valore) bit[k / 64] |= std::uint64_t{1} << (k % 64);
}

// The smallest rotation of a byte sequence of n items (at most 128) written twice, given its smallest
// item: the smallest of the rotations from the few passages that hold it, else the two-pointer search.
const std::uint8_t* rotazioneMinimaByte(const std::uint8_t* s, std::size_t n, std::uint8_t minimo) {
    std::uint64_t bit[2];
    passaggiCon(s, n, minimo, bit);
    // Counted a bit at a time, only as far as the few: the machine may have no instruction for it.
    std::size_t quante = 0;
    for (std::uint64_t b : bit)
        for (; b != 0 && quante <= IniziChiave::kPochi; b &= b - 1) ++quante;
    if (quante > IniziChiave::kPochi) return s + rotazioneMinimaByteLunga(s, n);
    const std::uint8_t* migliore = nullptr;
    for (std::size_t parola = 0; parola < 2; ++parola)
        for (std::uint64_t b = bit[parola]; b != 0; b &= b - 1) {
            const std::uint8_t* p = s + 64 * parola + static_cast<std::size_t>(std::countr_zero(b));
            if (!migliore || confrontaByte(p, migliore, n) < 0) migliore = p;
        }
    return migliore ? migliore : s;
}

// The key of a code whose every label appears exactly twice, else false. Such a code is, up to its labels,
// the sequence of its passages as 2 * (steps forward to the other passage of the same crossing) + (own
// sign is '+'); a reading from another passage rotates that sequence, a backward reading reverses it and
// turns every step count d into n - d. The smaller of the smallest rotations of the two sequences is then
// the same for every reading and tells different diagrams apart, and takes linear time where trying every
// reading takes up to quadratic time.
bool chiaveDaCoppie(const std::vector<VoceScifta>& voci, std::string& chiave) {
    thread_local std::vector<int> primo, avanti, compagno;
    thread_local std::vector<std::pair<int, int>> ordinate;
    const std::size_t n = voci.size();
    if (n < 2 || n % 2 != 0) return false;
    // The other passage of each passage's crossing: a table by label when the labels are small, else by
    // sorting; the labels' size does not change the key.
    bool piccole = true;
    for (const VoceScifta& v : voci)
        piccole = piccole && v.label >= 0 && static_cast<std::size_t>(v.label) <= 2 * n;
    std::vector<int>& altro = compagno;  // the other passage of each passage
    altro.assign(n, -1);
    if (piccole) {
        primo.assign(2 * n + 1, -1);
        for (std::size_t k = 0; k < n; ++k) {
            int& p = primo[static_cast<std::size_t>(voci[k].label)];
            if (p < 0) {
                p = static_cast<int>(k);
            } else if (altro[static_cast<std::size_t>(p)] < 0) {
                altro[static_cast<std::size_t>(p)] = static_cast<int>(k);
                altro[k] = p;
            } else {
                return false;  // a third passage
            }
        }
    } else {
        ordinate.clear();
        for (std::size_t k = 0; k < n; ++k) ordinate.emplace_back(voci[k].label, static_cast<int>(k));
        std::sort(ordinate.begin(), ordinate.end());
        for (std::size_t k = 0; k < n; k += 2) {
            if (ordinate[k].first != ordinate[k + 1].first) return false;
            if (k + 2 < n && ordinate[k + 2].first == ordinate[k].first) return false;
            altro[static_cast<std::size_t>(ordinate[k].second)] = ordinate[k + 1].second;
            altro[static_cast<std::size_t>(ordinate[k + 1].second)] = ordinate[k].second;
        }
    }
    for (std::size_t k = 0; k < n; ++k)
        if (altro[k] < 0) return false;  // a crossing passed once
    const int ni = static_cast<int>(n);
    avanti.resize(2 * n);
    for (std::size_t k = 0; k < n; ++k) {
        const int d = altro[k] - static_cast<int>(k);
        avanti[k] = 2 * (d < 0 ? d + ni : d) + (voci[k].sign == '+' ? 1 : 0);
    }
    chiaveDaPassi(avanti, chiave);
    return true;
}

// Writes the key of the smallest reading `seq` of n passages.
void scriviChiave(const int* seq, std::size_t n, std::string& chiave) {
    const int ni = static_cast<int>(n);
    // One byte a passage while the codes fit in it. Beyond, the key is packed: a crossing's second passage
    // is told by its first (2 * (n - d) + its sign), so that only its sign is written, and a first passage
    // takes the bits of its step count and its sign. The first byte says which, and that this is a key of
    // this kind. Half a million keys of 250 crossings are kept by the horizontal search: 345 bytes each
    // instead of 1001.
    if (2 * ni + 1 <= 255) {
        chiave.resize(1 + n);
        char* out = chiave.data();
        *out++ = '\3';
        for (std::size_t k = 0; k < n; ++k) *out++ = static_cast<char>(seq[k]);
    } else if (n < 65536) {
        thread_local std::vector<char> seconda;
        seconda.assign(n, 0);
        int larghezza = 1;  // bits of a step count, 1..n - 1
        while ((1 << larghezza) <= ni - 1) ++larghezza;
        // Written in place: at most a step count and a sign a passage.
        chiave.resize(3 + (n * static_cast<std::size_t>(larghezza + 1) + 7) / 8);
        char* out = chiave.data();
        *out++ = '\6';
        *out++ = static_cast<char>(n & 0xffu);
        *out++ = static_cast<char>(n >> 8);
        std::uint64_t accumulati = 0;
        int bit = 0;
        const auto scrivi = [&](std::uint32_t v, int bits) {
            accumulati |= static_cast<std::uint64_t>(v) << bit;
            bit += bits;
            while (bit >= 8) {
                *out++ = static_cast<char>(accumulati & 0xffu);
                accumulati >>= 8;
                bit -= 8;
            }
        };
        for (std::size_t k = 0; k < n; ++k) {
            const int c = seq[k];
            if (!seconda[k]) {
                scrivi(static_cast<std::uint32_t>(c / 2), larghezza);
                std::size_t compagno = k + static_cast<std::size_t>(c / 2);
                if (compagno >= n) compagno %= n;
                seconda[compagno] = 1;
            }
            scrivi(static_cast<std::uint32_t>(c & 1), 1);
        }
        if (bit > 0) *out++ = static_cast<char>(accumulati & 0xffu);
        chiave.resize(static_cast<std::size_t>(out - chiave.data()));
    } else {
        chiave.resize(1 + n * 2);
        char* out = chiave.data();
        *out++ = '\4';
        for (std::size_t k = 0; k < n; ++k) {
            *out++ = static_cast<char>(seq[k] >> 8);
            *out++ = static_cast<char>(seq[k] & 0xff);
        }
    }
}

}  // namespace

void chiaveDaPassi(std::vector<int>& avanti, std::string& chiave) {
    const std::size_t n = avanti.size() / 2;
    int* a = avanti.data();
    // The sequence is written twice, so that every rotation is a plain stretch. The smallest backward
    // item is 2n - the largest 2d - s of a forward one (item 2d + s), so that one pass finds both
    // smallest items.
    int minimoA = std::numeric_limits<int>::max(), massimoG = std::numeric_limits<int>::min();
    for (std::size_t k = 0; k < n; ++k) {
        const int c = a[k];
        a[k + n] = c;
        minimoA = std::min(minimoA, c);
        massimoG = std::max(massimoG, c - 2 * (c & 1));
    }
    chiaveDaPassiDoppi(avanti, minimoA, massimoG, chiave);
}

void chiaveDaPassiDoppi(const std::vector<int>& avanti, int minimoA, int massimoG, std::string& chiave) {
    const std::size_t n = avanti.size() / 2;
    const int ni = static_cast<int>(n);
    const int* a = avanti.data();
    // The smallest rotation starts at a smallest item: a pass finds the passages that have the smallest
    // items of either direction. Backward: passage k of the reversed sequence is passage n - 1 - k, its
    // step count n - d.
    IniziChiave inizi;
    inizi.minimo = minimoA;
    inizi.massimoG = massimoG;
    const bool avantiAncheAltra = minimoA <= 2 * ni - massimoG,
               dietroAncheAltra = 2 * ni - massimoG <= minimoA;
    for (std::size_t k = 0; k < n; ++k) {
        const int c = a[k];
        if (avantiAncheAltra && c == minimoA) {
            if (inizi.quantiAvanti < IniziChiave::kPochi)
                inizi.avanti[inizi.quantiAvanti] = static_cast<std::uint32_t>(k);
            ++inizi.quantiAvanti;
        }
        if (dietroAncheAltra && c - 2 * (c & 1) == massimoG) {
            if (inizi.quantiDietro < IniziChiave::kPochi)
                inizi.dietro[inizi.quantiDietro] = static_cast<std::uint32_t>(k);
            ++inizi.quantiDietro;
        }
    }
    chiaveDaPassiDoppi(avanti, inizi, chiave);
}

void chiaveDaPassiDoppi(const std::vector<int>& avanti, const IniziChiave& inizi, std::string& chiave) {
    thread_local std::vector<int> dietro;
    thread_local std::vector<int> letta;
    const std::size_t n = avanti.size() / 2;
    const int ni = static_cast<int>(n);
    const int* a = avanti.data();
    constexpr std::size_t kPochi = IniziChiave::kPochi;
    const int minimo[2] = {inizi.minimo, 2 * ni - inizi.massimoG};
    // A backward reading is told by the forward passage k0 it starts from: its item j is the reversed
    // item of passage k0 - j (the sequence is written twice, so that k0 + n - j needs no wrapping). It is
    // compared where it lies, without being written out.
    auto rovescio = [ni](int c) { return 2 * (ni - c / 2) + (c & 1); };
    auto minore = [n](const int* x, const int* y) {
        return std::lexicographical_compare(x, x + n, y, y + n);
    };
    auto dietroMinoreDi = [&](std::size_t k0, const int* y) {
        const int* x = a + k0 + n;
        for (std::size_t j = 0; j < n; ++j) {
            const int c = rovescio(*(x - j));
            if (c != y[j]) return c < y[j];
        }
        return false;
    };
    auto dietroMinoreDietro = [&](std::size_t k0, std::size_t k1) {
        const int* x = a + k0 + n;
        const int* y = a + k1 + n;
        for (std::size_t j = 0; j < n; ++j) {
            const int c = *(x - j), e = *(y - j);
            if (c != e) return rovescio(c) < rovescio(e);
        }
        return false;
    };
    // The smallest rotation forwards: the smallest of those from the few passages with the smallest item,
    // else the two-pointer search, which takes linear time however often that item repeats.
    auto rotazioneAvanti = [&]() -> const int* {
        if (inizi.quantiAvanti > kPochi) return a + rotazioneMinima(avanti);
        const int* migliore = a + inizi.avanti[0];
        for (std::size_t q = 1; q < inizi.quantiAvanti; ++q)
            if (minore(a + inizi.avanti[q], migliore)) migliore = a + inizi.avanti[q];
        return migliore;
    };
    // The same backwards, as the forward passage it starts from. With none found it starts from the last
    // passage.
    auto rotazioneDietro = [&]() -> std::size_t {
        if (inizi.quantiDietro > kPochi) {
            dietro.resize(2 * n);
            for (std::size_t k = 0; k < n; ++k) dietro[k] = dietro[k + n] = rovescio(a[n - 1 - k]);
            return n - 1 - rotazioneMinima(dietro);
        }
        if (inizi.quantiDietro == 0) return n - 1;
        std::size_t migliore = inizi.dietro[0];
        for (std::size_t q = 1; q < inizi.quantiDietro; ++q)
            if (dietroMinoreDietro(inizi.dietro[q], migliore)) migliore = inizi.dietro[q];
        return migliore;
    };
    // A direction whose smallest item is larger cannot give the smaller reading.
    const int* seq = nullptr;
    bool daDietro = minimo[1] < minimo[0];
    std::size_t k0 = 0;
    if (daDietro) {
        k0 = rotazioneDietro();
    } else {
        seq = rotazioneAvanti();
        if (minimo[1] == minimo[0]) {
            k0 = rotazioneDietro();
            daDietro = dietroMinoreDi(k0, seq);
        }
    }
    // A backward reading of one byte a passage is written straight into the key below.
    const bool unByte = 2 * ni + 1 <= 255;
    if (daDietro && unByte) {
        chiave.resize(1 + n);
        char* out = chiave.data();
        *out++ = '\3';
        const int* x = a + k0 + n;
        for (std::size_t j = 0; j < n; ++j) *out++ = static_cast<char>(rovescio(*(x - j)));
        return;
    }
    if (daDietro) {
        letta.resize(n);
        const int* x = a + k0 + n;
        for (std::size_t j = 0; j < n; ++j) letta[j] = rovescio(*(x - j));
        seq = letta.data();
    }
    scriviChiave(seq, n, chiave);
}

void chiaveDaPassiByte(const std::uint8_t* avanti, std::size_t n, std::vector<std::uint8_t>& dietro,
                       std::string& chiave) {
    // The smallest item of either direction: a direction whose smallest item is larger cannot give the
    // smaller reading, and the backward sequence is written only when it may.
    if (n == 0 || 2 * n + 1 > 255) throw std::invalid_argument("chiaveDaPassiByte: passages beyond a byte");
    int minimo = 255, massimoDietro = 0;
    minimoEMassimoDietro(avanti, n, minimo, massimoDietro);
    const int ni = static_cast<int>(n);
    const int minimoDietro = 2 * ni - massimoDietro;
    const std::uint8_t* migliore = nullptr;
    if (minimo <= minimoDietro) migliore = rotazioneMinimaByte(avanti, n, static_cast<std::uint8_t>(minimo));
    if (minimoDietro <= minimo) {
        // Passage k of the reversed sequence is passage n - 1 - k, its step count n - d: item c becomes
        // 2n + 2 * (c & 1) - c, which no byte borrows from the next, so that eight are turned at once.
        dietro.resize(2 * n);
        std::uint8_t* r = dietro.data();
        const int doppio = 2 * ni;
        constexpr std::uint64_t kUni = 0x0101010101010101u;
        const std::uint64_t doppi = kUni * static_cast<std::uint64_t>(doppio);
        std::size_t k = 0;
        for (; k + 8 <= n; k += 8) {
            std::uint64_t c;
            std::memcpy(&c, avanti + n - 8 - k, 8);
            c = __builtin_bswap64(c);
            c = doppi + ((c & kUni) << 1) - c;
            std::memcpy(r + k, &c, 8);
        }
        for (; k < n; ++k) {
            const int c = avanti[n - 1 - k];
            r[k] = static_cast<std::uint8_t>(doppio - c + 2 * (c & 1));
        }
        std::memcpy(r + n, r, n);
        const std::uint8_t* b = rotazioneMinimaByte(r, n, static_cast<std::uint8_t>(minimoDietro));
        if (!migliore || confrontaByte(b, migliore, n) < 0) migliore = b;
    }
    chiave.resize(1 + n);
    chiave[0] = '\3';
    std::memcpy(chiave.data() + 1, migliore, n);
}

std::optional<std::string> formaCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    const std::vector<int>& best = letturaMinima(*voci);
    std::vector<VoceScifta> out(best.size());
    for (std::size_t k = 0; k < best.size(); ++k) out[k] = {(best[k] & 1) ? '+' : '-', best[k] / 2};
    return scriviVociScifta(out);
}

void chiaveCanonica(const std::vector<VoceScifta>& voci, std::string& chiave) {
    chiave.clear();
    if (voci.empty()) return;
    if (chiaveDaCoppie(voci, chiave)) return;
    const std::vector<int>& best = letturaMinima(voci);
    // One byte a passage while every code fits in it, else two; the first byte says which.
    int massimo = 0;
    for (int c : best) massimo = c > massimo ? c : massimo;
    const bool largo = massimo > 255;
    chiave.reserve(1 + best.size() * (largo ? 2 : 1));
    chiave += largo ? '\2' : '\1';
    for (int c : best) {
        if (largo) chiave += static_cast<char>(c >> 8);
        chiave += static_cast<char>(c & 0xff);
    }
}

std::string chiaveCanonica(const std::vector<VoceScifta>& voci) {
    std::string chiave;
    chiaveCanonica(voci, chiave);
    return chiave;
}

std::optional<std::string> chiaveCanonica(std::string_view txtNodo) {
    auto voci = leggiVociScifta(txtNodo);
    if (!voci) return std::nullopt;
    return chiaveCanonica(*voci);
}

bool stessoCodice(std::string_view a, std::string_view b) {
    auto fa = chiaveCanonica(a);
    auto fb = chiaveCanonica(b);
    return fa && fb && *fa == *fb;
}

InsiemeCodici::InsiemeCodici(std::size_t capacita) : capacita_(capacita) {
    if (capacita > kCapacitaMassima)
        throw std::invalid_argument("a set of codes holds at most " + std::to_string(kCapacitaMassima) +
                                    " keys");
}

InsiemeCodici::~InsiemeCodici() = default;

std::size_t InsiemeCodici::cerca(const std::uint64_t* posti, std::string_view chiave, std::size_t hash,
                                 bool& trovata) const {
    const std::uint64_t marca = hash & ~kDove;
    const std::size_t maschera = letti_.maschera;
    for (std::size_t p = hash & maschera;; p = (p + 1) & maschera) {
        const std::uint64_t v = leggiPosto(posti, p);
        if (v == 0) {
            trovata = false;
            return p;
        }
        if ((v & ~kDove) != marca) continue;
        if (testo(((v & kDove) - 1) * 8) == chiave) {
            trovata = true;
            return p;
        }
    }
}

bool InsiemeCodici::contieneChiave(std::string_view chiave) const {
    return contieneChiave(chiave, hashChiave(chiave));
}

bool InsiemeCodici::contieneChiave(std::string_view chiave, std::size_t hash) const {
    // The table, once made, with everything made with it.
    const std::uint64_t* posti = letti_.pubblicati.load(std::memory_order_acquire);
    if (!posti) return false;
    bool trovata = false;
    cerca(posti, chiave, hash, trovata);
    return trovata;
}

void InsiemeCodici::anticipa(std::size_t hash) const {
    if (const std::uint64_t* posti = letti_.pubblicati.load(std::memory_order_acquire))
        __builtin_prefetch(posti + (hash & letti_.maschera));
}

InsiemeCodici::Esito InsiemeCodici::aggiungiChiave(std::string_view chiave) {
    if (posti_.size() == 0) {
        if (capacita_ == 0) return Esito::Pieno;
        // At least twice the capacity, a power of two: a probe ends soon at a free slot.
        std::size_t n = 16;
        while (n < 2 * capacita_) n *= 2;
        posti_ = table2d_detail::ZeroedBlock<std::uint64_t>(n);  // every slot 0
        letti_.maschera = n - 1;
        dove_ = table2d_detail::ZeroedBlock<std::uint64_t>(capacita_);
        puntatori_ = table2d_detail::ZeroedBlock<char*>(kMaxBlocchi);
        blocchiLetti_ = puntatori_.data();
        letti_.pubblicati.store(posti_.data(), std::memory_order_release);
    }
    const std::size_t hash = hashChiave(chiave);
    bool trovata = false;
    const std::size_t p = cerca(posti_.data(), chiave, hash, trovata);
    if (trovata) return Esito::GiaPresente;
    if (pieno()) return Esito::Pieno;
    // The key's place, in the current block or a new one: small blocks while the set is small, then blocks
    // of large pages.
    const std::size_t misura = (sizeof(Testa) + chiave.size() + 7) / 8 * 8;
    if (blocchi_.empty() || usatiNelBlocco_ + misura > blocchi_.back().size()) {
        if (blocchi_.size() >= kMaxBlocchi) return Esito::Pieno;
        const std::size_t blocco = blocchi_.size() < 8 ? kBlocco / 32 : kBlocco;
        blocchi_.emplace_back(std::max(blocco, misura));
        if (blocchi_.back().size() >= kBlocco) blocchi_.back().paginaGrande();
        blocchiLetti_[blocchi_.size() - 1] = blocchi_.back().data();
        usatiNelBlocco_ = 0;
    }
    std::uint64_t dove = blocchi_.size() - 1;
    dove = (dove << kBitBlocco) + usatiNelBlocco_;
    char* qui = blocchi_.back().data() + usatiNelBlocco_;
    usatiNelBlocco_ += misura;
    const Testa t{static_cast<std::uint32_t>(chiave.size()), static_cast<std::uint32_t>(p)};
    std::memcpy(qui, &t, sizeof t);
    std::copy(chiave.begin(), chiave.end(), qui + sizeof t);
    dove_[numero_] = dove;
    // Published last: a reader that sees the slot sees the key.
    std::atomic_ref<std::uint64_t>(posti_[p]).store((hash & ~kDove) | (dove / 8 + 1),
                                                    std::memory_order_release);
    ++numero_;
    // Lookups read the slots at random: on large pages they seldom miss the address cache. The slots
    // go onto large pages only once the set is large, so that a small search (an easy diagram's) does not
    // wait for whole large pages to be cleared for its few keys.
    if (numero_ == kChiaviPerPagineGrandi) posti_.raccogliInPagineGrandi();
    return Esito::Aggiunto;
}

void InsiemeCodici::svuota() {
    if (posti_.size() != 0) {
        // Few keys: their own slots; many: the whole table.
        if (numero_ < (letti_.maschera + 1) / 64) {
            for (std::size_t k = 0; k < numero_; ++k) {
                Testa t;
                std::memcpy(&t, inizio(dove_[k]), sizeof t);
                std::atomic_ref<std::uint64_t>(posti_[t.posto]).store(0, std::memory_order_relaxed);
            }
        } else {
            for (std::size_t p = 0; p <= letti_.maschera; ++p)
                std::atomic_ref<std::uint64_t>(posti_[p]).store(0, std::memory_order_relaxed);
        }
        for (std::size_t b = 0; b < blocchi_.size(); ++b) blocchiLetti_[b] = nullptr;
    }
    numero_ = 0;
    blocchi_.clear();
    usatiNelBlocco_ = 0;
}

bool InsiemeCodici::contiene(std::string_view txtNodo) const {
    auto k = chiaveCanonica(txtNodo);
    return k && contieneChiave(*k);
}

InsiemeCodici::Esito InsiemeCodici::aggiungi(std::string_view txtNodo) {
    auto k = chiaveCanonica(txtNodo);
    if (!k) return Esito::Illeggibile;
    return aggiungiChiave(*k);
}

}  // namespace trevalon
