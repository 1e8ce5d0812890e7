#include "celldraw/code_knot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/knot_files.h"
#include "platform/headless_ui.h"
#include "support/diagram_generators.h"
#include "support/gauss_diagram.h"
#include "support/named_knots.h"

namespace trevalon {
namespace {

using testsupport::gaussText;
using testsupport::lettersText;

// The build from a code with no window about it: through the scripted ports, into a layout state of its own.
struct Banco {
    ScriptedUi ui;
    LayoutState layout;
    OpzioniCostruzione opzioni;
};

void attendiStruttura(const Diagram& d, const std::string& letters) {
    const int n = static_cast<int>(letters.size());
    EXPECT_EQ(d.NumIncroci, n);
    EXPECT_EQ(d.NumArchi, 2 * n);
    EXPECT_EQ(d.NumRegioni, n + 2);
    EXPECT_EQ(d.TxtOri, letters);
}

TEST(CodeKnot, BuildsNamedAndScrambledKnotsFromTheRootAsked) {
    struct Caso {
        std::string nome, gauss, letters;
        int radice, radiceAttesa;
        bool automatico;
    };
    const testsupport::NamedKnot trifoglio = testsupport::namedKnot("trefoil_left");
    const testsupport::NamedKnot otto = testsupport::namedKnot("8_19");
    const testsupport::GaussDiagram rimescolato = testsupport::randomUnknot(43, 30);
    const std::vector<Caso> casi = {
        {"trefoil from 1", trifoglio.gauss, trifoglio.letters, 1, 1, false},
        {"trefoil from 2", trifoglio.gauss, trifoglio.letters, 2, 2, false},
        {"root beyond the letters", trifoglio.gauss, trifoglio.letters, 9, 1, false},
        {"root 0", otto.gauss, otto.letters, 0, 1, false},
        {"automatic run starts at 1", otto.gauss, otto.letters, 3, 1, true},
        {"scrambled unknot", gaussText(rimescolato), lettersText(rimescolato), 2, 2, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b;
        b.opzioni.ModoAutomatico = c.automatico;
        int passi = 0;
        CostruzioneNuova r = costruisciNodoDaCodice(c.gauss, c.letters, c.radice, b.opzioni, b.layout, b.ui,
                                                    nullptr, [&passi] { ++passi; });
        ASSERT_EQ(r.esito, EsitoCostruzione::Costruito) << r.messaggio;
        ASSERT_NE(r.nodo.diagram, nullptr);
        EXPECT_EQ(r.nodo.ModoGen, GenMode::Code);
        EXPECT_EQ(r.nodo.radice, c.radiceAttesa);
        EXPECT_EQ(b.layout.IncrocioRadice, c.radiceAttesa);
        attendiStruttura(*r.nodo.diagram, c.letters);
        EXPECT_TRUE(r.messaggio.empty());
        EXPECT_TRUE(b.ui.messages.empty());
        // The progress step and the stop test belong to the layout state only while the build runs; the
        // automatic run's layout does not step.
        EXPECT_EQ(passi > 0, !c.automatico);
        EXPECT_FALSE(b.layout.progresso);
        EXPECT_FALSE(b.layout.fermato);
    }
}

TEST(CodeKnot, TrivialAndFaultyCodesBuildNothing) {
    struct Caso {
        std::string nome, gauss, letters;
        bool corsaCompleta;
        EsitoCostruzione esito;
        std::string messaggio;  // a part of it; empty: none
    };
    const std::vector<Caso> casi = {
        {"no code", "", "OVO", false, EsitoCostruzione::Banale, ""},
        {"blank letters", "1,-2,3,-1,2,-3", "  ", false, EsitoCostruzione::Banale, ""},
        {"a crossing passed once", "1,-2,3,-1,2", "OVO", false, EsitoCostruzione::Errore, kErroreCodiceGau},
        {"a faulty code in a complete run", "1,-2,3,-1,2", "OVO", true, EsitoCostruzione::Errore, ""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b;
        b.layout.IncrocioRadice = 2;
        b.opzioni.CorsaCompleta = c.corsaCompleta;
        const CostruzioneNuova r = costruisciNodoDaCodice(c.gauss, c.letters, 1, b.opzioni, b.layout, b.ui);
        EXPECT_EQ(r.esito, c.esito);
        EXPECT_EQ(r.nodo.diagram, nullptr);
        EXPECT_EQ(b.layout.IncrocioRadice, 2);
        if (c.messaggio.empty())
            EXPECT_EQ(r.messaggio.find(kErroreCodiceGau), std::string::npos) << r.messaggio;
        else
            EXPECT_NE(r.messaggio.find(c.messaggio), std::string::npos) << r.messaggio;
        // The message is handed back, never shown from below the window.
        EXPECT_TRUE(b.ui.messages.empty());
    }
}

TEST(CodeKnot, StopRequestedWhileLayingOutEndsTheBuildAndClearsTheRequest) {
    const testsupport::GaussDiagram grande = testsupport::randomBraidKnot(7, 4, 40);
    for (const bool conStop : {true, false}) {
        SCOPED_TRACE(conStop ? "stoppable" : "not stoppable");
        Banco b;
        b.layout.IncrocioRadice = 3;
        StopRequest stop;
        stop.richiedi();  // a request left from before is not this build's
        int attese = 0;
        b.ui.onYield = [&] {
            if (++attese == 2) stop.richiedi();
        };
        const CostruzioneNuova r = costruisciNodoDaCodice(
            gaussText(grande), lettersText(grande), 1, b.opzioni, b.layout, b.ui, conStop ? &stop : nullptr);
        if (conStop) {
            EXPECT_EQ(r.esito, EsitoCostruzione::Fermato);
            EXPECT_EQ(r.nodo.diagram, nullptr);
            EXPECT_FALSE(stop.richiesta());
            EXPECT_EQ(b.layout.IncrocioRadice, 3);
            EXPECT_TRUE(r.messaggio.empty());
        } else {
            // Without the request the events are not served and the build runs to its end.
            EXPECT_EQ(r.esito, EsitoCostruzione::Costruito) << r.messaggio;
            EXPECT_EQ(attese, 0);
            EXPECT_TRUE(stop.richiesta());
        }
        EXPECT_FALSE(b.layout.fermato);
    }
}

}  // namespace
}  // namespace trevalon
