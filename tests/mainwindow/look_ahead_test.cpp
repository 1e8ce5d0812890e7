// The look-ahead instance's diagram after each code handed over, held to the plain steps: the whole build
// with the labels it writes, then the names handed over, or every name emptied when none are.

#include "mainwindow/look_ahead.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "model/structure.h"
#include "moves/gauss_rewrite.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"

namespace trevalon {
namespace {

// What a look-ahead instance is handed: a code with its letters and names, a failing code, or a move
// committed in it.
struct Consegna {
    enum class Tipo { Codice, Commit, Svuota } tipo = Tipo::Codice;
    std::string codice, lettere, nomi;
    bool conDistanze = true;
};

// The plain steps of a code handed over into `d`.
bool consegnaAPassi(Diagram& d, const Consegna& c) {
    switch (c.tipo) {
        case Consegna::Tipo::Commit: {
            TestoNodo t = TestoDi(d);
            for (std::size_t i = 1; i < t.NomiIncroci.size() && i < 40; ++i)
                t.NomiIncroci[i] = "k" + std::to_string(i);
            ScriviTesto(d, t);
            return true;
        }
        case Consegna::Tipo::Svuota:
            svuotaDiagramma(d);
            return true;
        case Consegna::Tipo::Codice:
            break;
    }
    d.txtNodo = c.codice;
    d.TxtOri = c.lettere;
    if (!CostruisciStrutturaRicerca(d, c.conDistanze)) return false;
    if (c.nomi.empty())
        for (std::string& nome : d.NomiIncroci) nome.clear();
    std::size_t i = 1, pos = 1;
    while (pos < c.nomi.size() && i < d.NomiIncroci.size()) {
        const std::size_t end = c.nomi.find('|', pos);
        if (end == std::string::npos) break;
        d.NomiIncroci[i++] = c.nomi.substr(pos, end - pos);
        pos = end + 1;
    }
    return true;
}

bool consegna(FormProva& p, const Consegna& c) {
    switch (c.tipo) {
        case Consegna::Tipo::Commit: {
            TestoNodo t = TestoDi(p.diagramma());
            for (std::size_t i = 1; i < t.NomiIncroci.size() && i < 40; ++i)
                t.NomiIncroci[i] = "k" + std::to_string(i);
            p.committaMossa(MoveKind::I, t);
            return true;
        }
        case Consegna::Tipo::Svuota:
            p.committaMossa(MoveKind::I, TestoNodo{});
            return true;
        case Consegna::Tipo::Codice:
            break;
    }
    return c.conDistanze ? p.caricaConsegna(c.codice, c.lettere, c.nomi)
                         : p.caricaConsegnaPerMosse(c.codice, c.lettere, c.nomi);
}

Consegna codice(const testsupport::GaussDiagram& g, bool conNomi, bool conDistanze = true) {
    Consegna c{Consegna::Tipo::Codice, testsupport::gaussText(g), testsupport::lettersText(g), "",
               conDistanze};
    if (conNomi) {
        c.nomi = "|";
        for (int k = 1; k <= g.crossings(); ++k) c.nomi += "n" + std::to_string(k * 7) + "|";
    }
    return c;
}

TEST(LookAhead, NamesAfterEveryCodeHandedOverAsThePlainSteps) {
    const auto grande = testsupport::randomBraidKnot(5, 6, 90);
    const auto piccolo = testsupport::braidClosure(3, {1, 2, 1, 2, 1, 2, 1, 2});
    const auto medio = testsupport::randomUnknot(9, 40);
    // Beyond the passage table, a chain of curls: refused after the crossings are read and labelled.
    Consegna troppi{Consegna::Tipo::Codice, "", std::string(260, 'O'), "", true};
    for (int k = 1; k <= 260; ++k) troppi.codice += std::to_string(k) + "-" + std::to_string(k) + "+";
    const Consegna guasto{Consegna::Tipo::Codice, "1-2+3-1+2+3-", "OOO", "", true};
    const Consegna guastoConNomi{Consegna::Tipo::Codice, "1-2+3-1+2+3-", "OOO", "|a|b|c|", true};
    const Consegna commit{Consegna::Tipo::Commit, "", "", "", true};
    const Consegna svuota{Consegna::Tipo::Svuota, "", "", "", true};
    const struct {
        const char* nome;
        std::vector<Consegna> consegne;
    } casi[] = {
        {"names, then none, larger then smaller",
         {codice(grande, true), codice(piccolo, false), codice(medio, true), codice(piccolo, false)}},
        {"none after none, fewer crossings",
         {codice(grande, false), codice(piccolo, false), codice(grande, false)}},
        {"names of a larger diagram, then a smaller one named",
         {codice(grande, true), codice(piccolo, true), codice(medio, false)}},
        {"a move committed between",
         {codice(medio, false), commit, codice(piccolo, false), commit, codice(grande, true)}},
        {"emptied by a move", {codice(grande, true), svuota, codice(piccolo, false), codice(medio, true)}},
        {"failing codes between",
         {codice(grande, true), guasto, codice(piccolo, true), guasto, codice(medio, false), guastoConNomi,
          codice(piccolo, false), troppi, codice(piccolo, true), troppi, codice(medio, false)}},
        {"for the move searches only",
         {codice(grande, true, false), codice(medio, false, false), codice(piccolo, true)}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        auto prova = std::make_unique<FormProvaIsolata>();
        auto atteso = std::make_unique<Diagram>();
        for (std::size_t k = 0; k < caso.consegne.size(); ++k) {
            SCOPED_TRACE(k);
            const Consegna& c = caso.consegne[k];
            ASSERT_EQ(consegna(*prova, c), consegnaAPassi(*atteso, c));
            const Diagram& d = prova->diagramma();
            ASSERT_EQ(d.NomiIncroci, atteso->NomiIncroci);
            EXPECT_EQ((std::tuple{d.txtNodo, d.TxtOri, d.NumIncroci, d.NumRegioni}),
                      (std::tuple{atteso->txtNodo, atteso->TxtOri, atteso->NumIncroci, atteso->NumRegioni}));
        }
    }
}

}  // namespace
}  // namespace trevalon
