#include "support/gauss_diagram.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace trevalon::testsupport {

namespace {

constexpr int kMaxLabel = 100000;

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

// Checks labels 1..n twice each, once over and once under, and the letters' count and alphabet.
bool validate(const std::vector<Passage>& passages, const std::string& letters, GaussDiagram& out,
              std::string* error) {
    if (passages.size() % 2 != 0) return fail(error, "odd number of passages");
    const int n = static_cast<int>(passages.size() / 2);
    std::vector<int> overs(n + 1, 0), unders(n + 1, 0);
    for (const Passage& p : passages) {
        if (p.label < 1 || p.label > n)
            return fail(error, "label " + std::to_string(p.label) + " outside 1.." + std::to_string(n));
        (p.over ? overs : unders)[p.label]++;
    }
    for (int c = 1; c <= n; ++c) {
        if (overs[c] != 1 || unders[c] != 1)
            return fail(error, "crossing " + std::to_string(c) + " is not passed once over and once under");
    }
    if (static_cast<int>(letters.size()) != n)
        return fail(error,
                    "expected " + std::to_string(n) + " letters, got " + std::to_string(letters.size()));
    out.passages = passages;
    out.signs.clear();
    for (char ch : letters) {
        if (ch == 'O')
            out.signs.push_back(1);
        else if (ch == 'V')
            out.signs.push_back(-1);
        else
            return fail(error, std::string("letter '") + ch + "' is neither O nor V");
    }
    return true;
}

std::string trimmed(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    std::size_t b = 0;
    while (b < s.size() && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    return s.substr(b);
}

std::vector<std::string> splitComma(const std::string& s) {
    std::vector<std::string> items;
    std::string cur;
    for (char ch : s) {
        if (ch == ',') {
            items.push_back(trimmed(cur));
            cur.clear();
        } else {
            cur += ch;
        }
    }
    items.push_back(trimmed(cur));
    return items;
}

// A decimal number of at most 6 digits, optionally signed; nothing else.
std::optional<int> readInt(const std::string& s) {
    std::size_t i = 0;
    int sign = 1;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) sign = s[i++] == '-' ? -1 : 1;
    if (i == s.size() || s.size() - i > 6) return std::nullopt;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return sign * v;
}

}  // namespace

int GaussDiagram::writhe() const {
    int w = 0;
    for (int s : signs) w += s;
    return w;
}

std::optional<GaussDiagram> parseGauss(const std::string& gauss, const std::string& letters,
                                       std::string* error) {
    // Pieces "label sign"; piece k carries the sign of passage k + 1.
    std::vector<int> labels;
    std::vector<bool> nextOver;
    std::size_t i = 0;
    while (i < gauss.size()) {
        std::size_t j = i;
        long long v = 0;
        while (j < gauss.size() && std::isdigit(static_cast<unsigned char>(gauss[j]))) {
            v = v * 10 + (gauss[j] - '0');
            if (v > kMaxLabel) {
                fail(error, "label too large");
                return std::nullopt;
            }
            ++j;
        }
        if (j == i || j == gauss.size() || (gauss[j] != '+' && gauss[j] != '-')) {
            fail(error, "malformed Gauss text at character " + std::to_string(i + 1));
            return std::nullopt;
        }
        labels.push_back(static_cast<int>(v));
        nextOver.push_back(gauss[j] == '+');
        i = j + 1;
    }
    std::vector<Passage> passages(labels.size());
    for (std::size_t k = 0; k < labels.size(); ++k) {
        passages[k].label = labels[k];
        passages[k].over = nextOver[(k + labels.size() - 1) % labels.size()];
    }
    GaussDiagram d;
    if (!validate(passages, letters, d, error)) return std::nullopt;
    return d;
}

GaussDiagram diagramOf(const std::string& gauss, const std::string& letters) {
    std::string why;
    auto d = parseGauss(gauss, letters, &why);
    if (!d) throw std::invalid_argument("bad Gauss code \"" + gauss + "\" / \"" + letters + "\": " + why);
    return *d;
}

std::string gaussText(const GaussDiagram& d) {
    std::string s;
    const std::size_t m = d.passages.size();
    for (std::size_t k = 0; k < m; ++k) {
        s += std::to_string(d.passages[k].label);
        s += d.passages[(k + 1) % m].over ? '+' : '-';
    }
    return s;
}

std::string lettersText(const GaussDiagram& d) {
    std::string s;
    for (int sg : d.signs) s += sg > 0 ? 'O' : 'V';
    return s;
}

std::string gauFileText(const GaussDiagram& d) {
    std::string code, idx;
    for (std::size_t k = 0; k < d.passages.size(); ++k) {
        if (k) code += ',';
        if (!d.passages[k].over) code += '-';
        code += std::to_string(d.passages[k].label);
    }
    for (std::size_t c = 0; c < d.signs.size(); ++c) {
        if (c) idx += ',';
        idx += d.signs[c] > 0 ? "1" : "-1";
    }
    return "GaussCode=" + code + "\r\nIndices=" + idx + "\r\n";
}

std::optional<GaussDiagram> parseGauFile(const std::string& content, std::string* error) {
    std::optional<std::string> code, idx;
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string upper = line;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        const std::string t = trimmed(upper);
        if (t.rfind("GAUSSCODE=", 0) == 0)
            code = trimmed(t.substr(10));
        else if (t.rfind("INDICES=", 0) == 0)
            idx = trimmed(t.substr(8));
    }
    if (!code || !idx) {
        fail(error, "missing GaussCode= or Indices= line");
        return std::nullopt;
    }
    std::vector<Passage> passages;
    if (!code->empty()) {
        for (const std::string& item : splitComma(*code)) {
            auto v = readInt(item);
            if (!v || *v == 0) {
                fail(error, "bad Gauss item \"" + item + "\"");
                return std::nullopt;
            }
            passages.push_back({*v < 0 ? -*v : *v, *v > 0});
        }
    }
    std::string letters;
    if (!idx->empty()) {
        for (const std::string& item : splitComma(*idx)) {
            auto v = readInt(item);
            if (!v || (*v != 1 && *v != -1)) {
                fail(error, "bad index \"" + item + "\"");
                return std::nullopt;
            }
            letters += *v > 0 ? 'O' : 'V';
        }
    }
    GaussDiagram d;
    if (!validate(passages, letters, d, error)) return std::nullopt;
    return d;
}

std::optional<GaussDiagram> readGauFile(const std::string& path, std::string* error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        fail(error, "cannot open " + path);
        return std::nullopt;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    return parseGauFile(ss.str(), error);
}

GaussDiagram normalized(const GaussDiagram& d) {
    std::vector<int> newLabel(d.signs.size() + 1, 0);
    int next = 0;
    GaussDiagram out;
    out.signs.assign(d.signs.size(), 0);
    for (const Passage& p : d.passages) {
        if (newLabel[p.label] == 0) {
            newLabel[p.label] = ++next;
            out.signs[next - 1] = d.signs[p.label - 1];
        }
        out.passages.push_back({newLabel[p.label], p.over});
    }
    return out;
}

GaussDiagram rotated(const GaussDiagram& d, int start) {
    GaussDiagram r = d;
    if (!d.passages.empty()) {
        const int m = static_cast<int>(d.passages.size());
        start = ((start % m) + m) % m;
        std::rotate(r.passages.begin(), r.passages.begin() + start, r.passages.end());
    }
    return normalized(r);
}

GaussDiagram mirrored(const GaussDiagram& d) {
    GaussDiagram r = d;
    for (int& s : r.signs) s = -s;
    return r;
}

namespace {

// Edge ends ("darts"): the tail of edge e is 2e, its head 2e + 1. For each dart its crossing slot.
struct Rotation {
    std::vector<std::array<int, 4>> slots;   // per crossing, darts counterclockwise from the under-in end
    std::vector<std::pair<int, int>> where;  // per dart: crossing (0-based) and slot
};

Rotation rotationOf(const GaussDiagram& d) {
    const int m = static_cast<int>(d.passages.size());
    const int n = d.crossings();
    Rotation r;
    r.slots.assign(n, {-1, -1, -1, -1});
    r.where.assign(2 * m, {0, 0});
    for (int p = 0; p < m; ++p) {
        const int c = d.passages[p].label - 1;
        const int inDart = 2 * ((p + m - 1) % m) + 1;  // head of the edge arriving at passage p
        const int outDart = 2 * p;                     // tail of the edge leaving passage p
        const bool positive = d.signs[c] > 0;
        if (d.passages[p].over) {
            r.slots[c][positive ? 3 : 1] = inDart;
            r.slots[c][positive ? 1 : 3] = outDart;
        } else {
            r.slots[c][0] = inDart;
            r.slots[c][2] = outDart;
        }
    }
    for (int c = 0; c < n; ++c)
        for (int s = 0; s < 4; ++s) r.where[r.slots[c][s]] = {c, s};
    return r;
}

}  // namespace

PdCode pdCode(const GaussDiagram& d) {
    const Rotation r = rotationOf(d);
    PdCode pd;
    for (const auto& s : r.slots) pd.push_back({s[0] / 2 + 1, s[1] / 2 + 1, s[2] / 2 + 1, s[3] / 2 + 1});
    return pd;
}

std::vector<std::vector<FaceStep>> faces(const GaussDiagram& d) {
    std::vector<std::vector<FaceStep>> result;
    if (d.passages.empty()) return result;
    const Rotation r = rotationOf(d);
    const int darts = static_cast<int>(r.where.size());
    std::vector<char> seen(darts, 0);
    for (int start = 0; start < darts; ++start) {
        if (seen[start]) continue;
        std::vector<FaceStep> face;
        int dart = start;
        while (!seen[dart]) {
            seen[dart] = 1;
            face.push_back({dart / 2, (dart % 2 == 0) ? 1 : -1});
            // Walk the edge to its other end, then turn to the next end clockwise: the face stays on the
            // left.
            const auto [c, s] = r.where[dart ^ 1];
            dart = r.slots[c][(s + 3) % 4];
        }
        result.push_back(std::move(face));
    }
    return result;
}

int faceCount(const GaussDiagram& d) {
    if (d.passages.empty()) return 2;
    return static_cast<int>(faces(d).size());
}

bool isDrawable(const GaussDiagram& d) {
    return faceCount(d) == d.crossings() + 2;
}

bool isDrawable(const std::string& gauss, const std::string& letters) {
    auto d = parseGauss(gauss, letters);
    return d && isDrawable(*d);
}

}  // namespace trevalon::testsupport
