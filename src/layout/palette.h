#pragma once
// The two tile palettes: every picture a display grid can show, with the name (tooltip) that the
// renderers record per cell and that the cell-drawing redraws compare. Pictures are drawn by code from
// these descriptions (see the Qt tile painter); the names and keys are data and must stay exactly so.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid_control.h"

namespace trevalon {

// Picture-index bases of the tile colours.
inline constexpr int ColNero = 0;
inline constexpr int ColVerde = 20;
inline constexpr int ColRosso = 40;
inline constexpr int ColArancio = 90;
inline constexpr int ColGrigio = 100;

enum class TileColour : std::uint8_t { Black, Green, Red, Orange, Grey };
// Which strand of a crossing tile carries the colour; the other is black.
enum class ColouredStrand : std::uint8_t { Both, Over, Under };

// One picture of the `Img` set.
struct TileDesc {
    bool exists = false;
    std::string_view name;  // tooltip; empty for the tiles without a name
    int shape = 0;          // line code 0..8, 9 and 10 the double corners ("/", "\")
    TileColour colour = TileColour::Black;
    ColouredStrand coloured = ColouredStrand::Both;
    bool marker = false;  // orange square at the centre (tiles 83, 84)
};

inline constexpr int kImgCount = 115;  // indices 0..114

// The `Img` tile at index; a tile that does not exist has exists == false.
const TileDesc& TileImg(int index);
// Indices of the second picture set `Imgd` (black and grey strands and corners in another style).
bool ImgdExists(int index);

// A key tile of drawn diagrams (`imgDiag`): key such as "N28", "VO", "G37" and name such as "n*".
struct DiagTile {
    std::string key;
    std::string name;
};

// A loaded palette window, `Form1` (diagrams from a code) or `Form1b` (diagrams from a drawing).
class TilePalette {
  public:
    TilePalette(PaletteId id, bool modoSviluppo);

    PaletteId id() const { return id_; }
    std::string_view imgName(int index) const { return TileImg(index).name; }
    bool imgExists(int index) const { return TileImg(index).exists; }

    // `imgDiag`: elements 0..17 always; 18..71 (the copies for "V", "R", "G") in Form1b, and in Form1
    // only with the developer switch on.
    int diagCount() const { return static_cast<int>(diag_.size()); }
    const DiagTile& diag(int element) const { return diag_.at(static_cast<std::size_t>(element)); }
    // Element with the given key, or -1.
    int diagByKey(std::string_view key) const;

    PictureRef img(int index) const { return {id_, PictureSet::Img, static_cast<std::int16_t>(index)}; }
    PictureRef imgd(int index) const { return {id_, PictureSet::Imgd, static_cast<std::int16_t>(index)}; }
    PictureRef imgDiag(int element) const {
        return {id_, PictureSet::ImgDiag, static_cast<std::int16_t>(element)};
    }

  private:
    PaletteId id_;
    std::vector<DiagTile> diag_;
};

// The colour of any picture of the palettes: of its `Img` tile, of its `imgDiag` key tile (black, then the
// "V", "R" and "G" copies), black for the `Imgd` set and for no picture.
TileColour coloreImmagine(const PictureRef& picture);

// The palette editor's alphabet: "0" for 0, else the letter at that place of
// "123456789ABCDEFGHILMNOPQRSTUVZ"; and back (0 when absent).
std::string NumLet(int n);
int letNum(std::string_view letter);

// The geometry of a key tile, for painting: the two neighbour positions (row-major 1..9 around the
// cell, 5 the cell itself) joined through the centre, or a crossing ('O' horizontal over, 'V' vertical
// over), and its colour.
struct DiagShape {
    bool crossing = false;
    char crossingLetter = 0;  // 'O' or 'V'
    int from = 0, to = 0;     // neighbour positions
    TileColour colour = TileColour::Black;
    bool valid = false;
};
DiagShape diagShapeOf(std::string_view key);

}  // namespace trevalon
