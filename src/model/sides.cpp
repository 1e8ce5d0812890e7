#include "model/sides.h"

#include <stdexcept>

namespace trevalon {

namespace {

void checkCrossing(const Diagram& d, int n) {
    if (n < 1 || n > kMaxIncroci || n > d.NumIncroci)
        throw std::out_of_range("crossing " + std::to_string(n) + " is not in the diagram");
}

void setSide(Incrocio& c, int side, int arc, int crossing, char verso) {
    c.ArcoLato[side] = arc;
    c.IncrocioLato[side] = crossing;
    c.VersoLato[side] = verso;
}

}  // namespace

void AssegnaLatiBase(Diagram& d, int n) {
    checkCrossing(d, n);
    Incrocio& c = d.incroci[n];
    setSide(c, 2, c.ArcoEsceSopra, c.SuccSopra, 'U');
    setSide(c, 4, c.ArcoEntraSopra, c.PrecSopra, 'E');
    if (c.Ori == 'V') {
        setSide(c, 1, c.ArcoEntraSotto, c.PrecSotto, 'E');
        setSide(c, 3, c.ArcoEsceSotto, c.SuccSotto, 'U');
    } else {
        setSide(c, 3, c.ArcoEntraSotto, c.PrecSotto, 'E');
        setSide(c, 1, c.ArcoEsceSotto, c.SuccSotto, 'U');
    }
}

void RuotaLati(Diagram& d, int n, int nArc, int rot) {
    checkCrossing(d, n);
    if (rot < 1 || rot > 4) return;
    Incrocio& c = d.incroci[n];
    int s0 = 0;
    for (int s = 4; s >= 1 && s0 == 0; --s)
        if (c.ArcoLato[s] == nArc) s0 = s;
    if (s0 == 0) return;
    const Incrocio old = c;
    for (int i = 0; i < 4; ++i) {
        const int to = (rot - 1 + i) % 4 + 1;
        const int from = (s0 - 1 + i) % 4 + 1;
        c.ArcoLato[to] = old.ArcoLato[from];
        c.IncrocioLato[to] = old.IncrocioLato[from];
        c.VersoLato[to] = old.VersoLato[from];
    }
}

void AssegnaLatiTutti(Diagram& d) {
    for (int n = 1; n <= d.NumIncroci; ++n) AssegnaLatiBase(d, n);
}

int ArcoInnodo(const Diagram& d, int tmpIncr, int tmpArco) {
    if (tmpIncr < 1 || tmpIncr > kMaxIncroci || tmpArco == 0) return -1;
    const Incrocio& x = d.incroci[tmpIncr];
    int side = -1;
    for (int s = 1; s <= 4; ++s)
        if (x.ArcoLato[s] == tmpArco) side = s;
    return side;
}

}  // namespace trevalon
