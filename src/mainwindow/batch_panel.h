#pragma once
// The developer panel's buttons for the catalogue's batch tools: each asks for its files through the
// window's dialogs, runs the tool (the long ones under the stop frame, whose "Cancel" ends them with
// nothing written) and writes its result whole or not at all.

#include <vector>

#include "model/catalogue.h"

namespace trevalon {

struct ContestoFinestra;

// The catalogue of named knots the batch buttons work on: its entries, the one chosen, and a catalogue
// read from another file in their place.
class CatalogoStrumenti {
  public:
    virtual ~CatalogoStrumenti() = default;
    virtual const std::vector<VoceCatalogo>& catalogo() const = 0;
    // The entry chosen last (0 before any).
    virtual int voceScelta() const = 0;
    // The entries replaced; entry 0 is chosen.
    virtual void impostaCatalogo(std::vector<VoceCatalogo> voci) = 0;
};

// "ListaUg": every entry of the catalogue, or the chosen one, expanded by horizontal moves into a listing.
void Command13_Click(ContestoFinestra& f, CatalogoStrumenti& p);
// "generaOri": the letters that lay out each entry's code as the entry's knot, as catalogue lines.
void generaOri_Click(ContestoFinestra& f, CatalogoStrumenti& p);
// "Util": listings named in an input box compared two by two.
void Cmdutil_Click(ContestoFinestra& f);
// "CodMio": a file of comma-separated codes turned into catalogue lines.
void Command12_Click(ContestoFinestra& f);
// "gauss=": the catalogue's entries that share a diagram.
void Cmdruota_Click(ContestoFinestra& f, const CatalogoStrumenti& p);
// "Doppi": the diagrams a listing holds under more than one knot's name, shown.
void CercaDoppi_Click(ContestoFinestra& f);
// "Stack": a catalogue read from pairs of lines (code, letters) into the combo box.
void CaricaTabellaStack_Click(ContestoFinestra& f, CatalogoStrumenti& p);

}  // namespace trevalon
