#include "layout/palette.h"

#include <array>

namespace trevalon {

namespace {

struct ImgTable {
    std::array<TileDesc, kImgCount> tiles{};

    void set(int index, std::string_view name, int shape, TileColour colour,
             ColouredStrand coloured = ColouredStrand::Both, bool marker = false) {
        tiles[index] = TileDesc{true, name, shape, colour, coloured, marker};
    }

    ImgTable() {
        set(0, "nb", 0, TileColour::Black);
        static constexpr std::array<std::string_view, 11> black = {"",   "n*", "n*", "",   "n|", "n5",
                                                                   "n6", "n7", "n8", "n/", "n\\"};
        static constexpr std::array<std::string_view, 11> green = {"",   "v*", "v*", "v-", "v|", "v5",
                                                                   "v6", "v7", "v8", "v/", "v\\"};
        static constexpr std::array<std::string_view, 11> red = {"",   "r*", "r*", "r-", "r|", "r5",
                                                                 "r6", "r7", "r8", "r/", "r\\"};
        for (int code = 1; code <= 10; ++code) {
            set(ColNero + code, black[code], code, TileColour::Black);
            set(ColVerde + code, green[code], code, TileColour::Green);
            set(ColRosso + code, red[code], code, TileColour::Red);
        }
        // Crossings with one strand coloured: over ("a") or under ("b").
        set(61, "v-a", 3, TileColour::Green, ColouredStrand::Over);
        set(62, "v-b", 3, TileColour::Green, ColouredStrand::Under);
        set(63, "v|a", 4, TileColour::Green, ColouredStrand::Over);
        set(64, "v|b", 4, TileColour::Green, ColouredStrand::Under);
        set(71, "r-a", 3, TileColour::Red, ColouredStrand::Over);
        set(72, "r|b", 3, TileColour::Red, ColouredStrand::Under);
        set(73, "r|a", 4, TileColour::Red, ColouredStrand::Over);
        set(74, "r-b", 4, TileColour::Red, ColouredStrand::Under);
        set(83, "nE", 3, TileColour::Black, ColouredStrand::Both, true);
        set(84, "nE", 4, TileColour::Black, ColouredStrand::Both, true);
        for (int code : {1, 2, 5, 6, 7, 8}) {
            set(ColArancio + code, "", code, TileColour::Orange);
            set(ColGrigio + code, "", code, TileColour::Grey);
        }
        // Crossing markers: the pictures of 61..64.
        set(111, "v-a", 3, TileColour::Green, ColouredStrand::Over);
        set(112, "v-b", 3, TileColour::Green, ColouredStrand::Under);
        set(113, "v|a", 4, TileColour::Green, ColouredStrand::Over);
        set(114, "v|b", 4, TileColour::Green, ColouredStrand::Under);
    }
};

const ImgTable& imgTable() {
    static const ImgTable table;  // immutable data, shared by every palette
    return table;
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kDiagBase = {{
    {"N16", "n*"},
    {"N18", "n*"},
    {"N24", "n5"},
    {"N26", "n6"},
    {"N27", "n*"},
    {"N28", "n*"},
    {"N29", "n*"},
    {"N34", "n*"},
    {"N38", "n*"},
    {"N46", "n*"},
    {"N48", "n8"},
    {"N49", "n*"},
    {"N67", "n*"},
    {"N68", "n7"},
    {"NO", "n-"},
    {"NV", "n|"},
    {"N19", "n*"},
    {"N37", "n*"},
}};

constexpr std::string_view kAlfabetoTessere = "123456789ABCDEFGHILMNOPQRSTUVZ";

}  // namespace

const TileDesc& TileImg(int index) {
    static const TileDesc none{};
    if (index < 0 || index >= kImgCount) return none;
    return imgTable().tiles[index];
}

bool ImgdExists(int index) {
    return (index >= 1 && index <= 8) || (index >= 101 && index <= 108);
}

TilePalette::TilePalette(PaletteId id, bool modoSviluppo) : id_(id) {
    for (const auto& [key, name] : kDiagBase) diag_.push_back({std::string(key), std::string(name)});
    if (id == PaletteId::Form1b || modoSviluppo) {
        for (char letter : {'V', 'R', 'G'}) {
            const char small = static_cast<char>(letter - 'A' + 'a');
            for (const auto& [key, name] : kDiagBase)
                diag_.push_back({letter + std::string(key.substr(1)), small + std::string(name.substr(1))});
        }
    }
}

int TilePalette::diagByKey(std::string_view key) const {
    for (std::size_t i = 0; i < diag_.size(); ++i)
        if (diag_[i].key == key) return static_cast<int>(i);
    return -1;
}

TileColour coloreImmagine(const PictureRef& picture) {
    if (picture.empty() || picture.index < 0) return TileColour::Black;
    switch (picture.set) {
        case PictureSet::Img:
            return TileImg(picture.index).colour;
        case PictureSet::ImgDiag: {
            // The key tiles come in blocks of kDiagBase's size: black, then the "V", "R" and "G" copies.
            static constexpr std::array<TileColour, 4> kBlocchi{TileColour::Black, TileColour::Green,
                                                                TileColour::Red, TileColour::Grey};
            const std::size_t blocco = static_cast<std::size_t>(picture.index) / kDiagBase.size();
            return blocco < kBlocchi.size() ? kBlocchi[blocco] : TileColour::Black;
        }
        case PictureSet::Imgd:
            break;
    }
    return TileColour::Black;
}

std::string NumLet(int n) {
    if (n == 0) return "0";
    if (n < 1 || n > static_cast<int>(kAlfabetoTessere.size())) return "";
    return std::string(1, kAlfabetoTessere[n - 1]);
}

int letNum(std::string_view letter) {
    if (letter.size() != 1) return 0;
    const auto pos = kAlfabetoTessere.find(letter[0]);
    return pos == std::string_view::npos ? 0 : static_cast<int>(pos) + 1;
}

DiagShape diagShapeOf(std::string_view key) {
    DiagShape s;
    if (key.size() < 2) return s;
    switch (key[0]) {
        case 'N':
            s.colour = TileColour::Black;
            break;
        case 'V':
            s.colour = TileColour::Green;
            break;
        case 'R':
            s.colour = TileColour::Red;
            break;
        case 'G':
            s.colour = TileColour::Grey;
            break;
        default:
            return s;
    }
    if (key.size() == 2 && (key[1] == 'O' || key[1] == 'V')) {
        s.crossing = true;
        s.crossingLetter = key[1];
        s.valid = true;
        return s;
    }
    if (key.size() == 3 && key[1] >= '1' && key[1] <= '9' && key[2] >= '1' && key[2] <= '9' &&
        key[1] != '5' && key[2] != '5' && key[1] != key[2]) {
        s.from = key[1] - '0';
        s.to = key[2] - '0';
        s.valid = true;
    }
    return s;
}

}  // namespace trevalon
