#pragma once
// The closed sets of codes that pass between the engine's parts, one enum each, with the one mapping to
// the text that files, captions, the step list and tests see. Texts outside a set read as nullopt.

#include <optional>
#include <string_view>

namespace trevalon {

// The step viewer's answer for one candidate.
enum class ViewerAnswer {
    None,  // ""   closed with nothing chosen ("Continua"/"Migliora" passes the candidate over)
    Ok,    // "ok"
    Sel,   // "Sel"  apply this candidate
    Se1,   // "Se1"  next summand of a connected sum
    Int,   // "Int"  stop the search
    Rip,   // "Rip"  show the candidate again
    Save,  // "Save" save the shown summand
    ZInt,  // "zInt"
};

// The kind of move a search or a step is about.
enum class MoveKind {
    None,     // ""
    I,        // "1"
    II,       // "2"
    IILoop,   // "2L"
    III,      // "3"
    ConnSum,  // "S"  a connected sum
};

// Which bridge search: move III proper or the horizontal move III.
enum class BridgeKind {
    MoveIII,     // "<"
    Horizontal,  // "="
};

// What the current tables of a diagram were built from (`ModoGen`).
enum class GenMode {
    Code,         // 'A' from the Gauss code
    CellDrawing,  // 'I' from the cell drawing
    TextDrawing,  // 'D' from a text drawing
};

// What the shown knot came from (`ModoSorgente`).
enum class SourceKind {
    None,     // nothing opened yet
    Code,     // 'A' a Gauss code
    Drawing,  // 'D' a drawing
};

// The kind of a knot file by its keys (`TipoFileKno`).
enum class KnotFileKind {
    None,       // ""  no known key
    GaussCode,  // "G" "GaussCode="
    Object,     // "O" "Object="
    Source,     // "S" "Source="
};

// The kind of an open or save dialog (`tmpTipoFile`): which files it lists and which extension a saved
// name gets.
enum class DialogKind {
    Knot,       // "KNO" knot files (an open dialog also lists knot sources, Gauss codes, text drawings)
    GaussCode,  // "GAU" Gauss-code files
    Text,       // "TXT" text drawings
    Summand1,   // "CS1" the first summand of a connected sum, as a knot file
    Summand2,   // "CS2" the second summand
    Rotation,   // "RUO" the developer's quarter turn of the cell table, as a knot file
};

// What a text drawing of the main window is written from (`Fonte` of `SalvaFile`).
enum class DrawingSource {
    GridText,   // "G" the main grid's texts
    CellTable,  // "T" the cell table's drawn symbols
    TileNames,  // "S" the tile names
};

// What the step viewer is asked to show (`TipoAzione`).
enum class ViewerAction {
    Move,      // ""   a move candidate
    Summand1,  // "I1" the first summand of a connected sum
    Summand2,  // "I2" the second summand
};

constexpr std::string_view text(ViewerAnswer a) {
    switch (a) {
        case ViewerAnswer::None:
            return "";
        case ViewerAnswer::Ok:
            return "ok";
        case ViewerAnswer::Sel:
            return "Sel";
        case ViewerAnswer::Se1:
            return "Se1";
        case ViewerAnswer::Int:
            return "Int";
        case ViewerAnswer::Rip:
            return "Rip";
        case ViewerAnswer::Save:
            return "Save";
        case ViewerAnswer::ZInt:
            return "zInt";
    }
    return "";
}

constexpr std::string_view text(MoveKind k) {
    switch (k) {
        case MoveKind::None:
            return "";
        case MoveKind::I:
            return "1";
        case MoveKind::II:
            return "2";
        case MoveKind::IILoop:
            return "2L";
        case MoveKind::III:
            return "3";
        case MoveKind::ConnSum:
            return "S";
    }
    return "";
}

constexpr std::string_view text(BridgeKind k) {
    return k == BridgeKind::MoveIII ? "<" : "=";
}

constexpr char letter(GenMode m) {
    switch (m) {
        case GenMode::Code:
            return 'A';
        case GenMode::CellDrawing:
            return 'I';
        case GenMode::TextDrawing:
            return 'D';
    }
    return 'A';
}

constexpr char letter(SourceKind s) {
    switch (s) {
        case SourceKind::None:
            return 0;
        case SourceKind::Code:
            return 'A';
        case SourceKind::Drawing:
            return 'D';
    }
    return 0;
}

constexpr std::string_view text(KnotFileKind k) {
    switch (k) {
        case KnotFileKind::None:
            return "";
        case KnotFileKind::GaussCode:
            return "G";
        case KnotFileKind::Object:
            return "O";
        case KnotFileKind::Source:
            return "S";
    }
    return "";
}

constexpr std::string_view text(ViewerAction a) {
    switch (a) {
        case ViewerAction::Move:
            return "";
        case ViewerAction::Summand1:
            return "I1";
        case ViewerAction::Summand2:
            return "I2";
    }
    return "";
}

constexpr std::string_view text(DialogKind k) {
    switch (k) {
        case DialogKind::Knot:
            return "KNO";
        case DialogKind::GaussCode:
            return "GAU";
        case DialogKind::Text:
            return "TXT";
        case DialogKind::Summand1:
            return "CS1";
        case DialogKind::Summand2:
            return "CS2";
        case DialogKind::Rotation:
            return "RUO";
    }
    return "";
}

// Reading a code back from its text; nullopt for a text outside the set.
template <class E>
std::optional<E> codeFromText(std::string_view t);

template <>
constexpr std::optional<ViewerAnswer> codeFromText<ViewerAnswer>(std::string_view t) {
    for (ViewerAnswer a : {ViewerAnswer::None, ViewerAnswer::Ok, ViewerAnswer::Sel, ViewerAnswer::Se1,
                           ViewerAnswer::Int, ViewerAnswer::Rip, ViewerAnswer::Save, ViewerAnswer::ZInt})
        if (text(a) == t) return a;
    return std::nullopt;
}

template <>
constexpr std::optional<MoveKind> codeFromText<MoveKind>(std::string_view t) {
    for (MoveKind k :
         {MoveKind::None, MoveKind::I, MoveKind::II, MoveKind::IILoop, MoveKind::III, MoveKind::ConnSum})
        if (text(k) == t) return k;
    return std::nullopt;
}

template <>
constexpr std::optional<GenMode> codeFromText<GenMode>(std::string_view t) {
    if (t.size() != 1) return std::nullopt;
    for (GenMode m : {GenMode::Code, GenMode::CellDrawing, GenMode::TextDrawing})
        if (letter(m) == t[0]) return m;
    return std::nullopt;
}

template <>
constexpr std::optional<KnotFileKind> codeFromText<KnotFileKind>(std::string_view t) {
    for (KnotFileKind k :
         {KnotFileKind::None, KnotFileKind::GaussCode, KnotFileKind::Object, KnotFileKind::Source})
        if (text(k) == t) return k;
    return std::nullopt;
}

}  // namespace trevalon
