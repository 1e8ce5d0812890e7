#include "mainwindow/look_ahead.h"

#include "model/structure.h"

namespace trevalon {

OpzioniMosse FormProva::opzioni() const {
    OpzioniMosse o;
    o.nascosta = true;
    o.ModoAutomatico = true;
    o.PassoCombinato = passoCombinato_;
    return o;
}

bool FormProva::committaMossa(MoveKind, const TestoNodo& nuovo) {
    if (nuovo.txtNodo.empty()) {
        svuotaDiagramma(diagram_);
        return false;
    }
    ScriviTesto(diagram_, nuovo);
    return false;
}

bool FormProva::caricaConsegna(const std::string& codice, const std::string& ori, const std::string& nomi) {
    return carica(codice, ori, nomi, true);
}

bool FormProva::caricaConsegnaPerMosse(const std::string& codice, const std::string& ori,
                                       const std::string& nomi) {
    return carica(codice, ori, nomi, false);
}

bool FormProva::carica(const std::string& codice, const std::string& ori, const std::string& nomi,
                       bool conDistanze) {
    // The same tables are refilled for every diagram handed over: every table the searches read is
    // rewritten by the build, and fresh tables for each of thousands of diagrams would cost more than the
    // searches.
    Diagram& d = diagram_;
    d.txtNodo = codice;
    d.TxtOri = ori;
    if (!CostruisciStrutturaRicerca(d, conDistanze)) return false;
    // The crossing names handed over: "|name|name|...|". A diagram handed over without them (the records
    // examined side by side, whose examination names nothing) keeps none of the diagram before.
    if (nomi.empty())
        for (std::string& nome : d.NomiIncroci)
            if (!nome.empty()) nome.clear();
    std::size_t i = 1, pos = 1;
    while (pos < nomi.size() && i < d.NomiIncroci.size()) {
        const std::size_t end = nomi.find('|', pos);
        if (end == std::string::npos) break;
        d.NomiIncroci[i++].assign(nomi, pos, end - pos);
        pos = end + 1;
    }
    return true;
}

}  // namespace trevalon
