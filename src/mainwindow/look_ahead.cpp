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
        nomiFino_ = 0;
        return false;
    }
    ScriviTesto(diagram_, nuovo);
    nomiFinoA(nuovo.NomiIncroci.size());
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
    // A diagram handed over without names (the records examined side by side, whose examination names
    // nothing) keeps none, neither of the diagram before nor the labels the build would write.
    if (!CostruisciStrutturaRicerca(d, conDistanze, !nomi.empty())) {
        // A failed build leaves its tables, the labels it writes among them: built again as it writes them.
        if (nomi.empty()) (void)CostruisciStrutturaRicerca(d, conDistanze);
        nomiFinoA(d.NomiIncroci.size());
        return false;
    }
    // The build writes names only below its crossings.
    nomiFinoA(static_cast<std::size_t>(d.NumIncroci) + 1);
    if (nomi.empty()) {
        for (std::size_t i = 0; i < nomiFino_; ++i)
            if (!d.NomiIncroci[i].empty()) d.NomiIncroci[i].clear();
        nomiFino_ = 0;
    }
    // The crossing names handed over: "|name|name|...|".
    std::size_t i = 1, pos = 1;
    while (pos < nomi.size() && i < d.NomiIncroci.size()) {
        const std::size_t end = nomi.find('|', pos);
        if (end == std::string::npos) break;
        d.NomiIncroci[i++].assign(nomi, pos, end - pos);
        pos = end + 1;
    }
    nomiFinoA(i);
    return true;
}

}  // namespace trevalon
