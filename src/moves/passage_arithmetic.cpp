#include "moves/passage_arithmetic.h"

namespace trevalon {

namespace {

bool validCrossing(const Diagram& d, int n) {
    return n >= 1 && n < static_cast<int>(d.incroci.size());
}

std::string signOfArc(const Incrocio& x, int a) {
    std::string result;
    if (a == 0) return result;
    if (a == x.ArcoEntraSopra) result = "+";
    if (a == x.ArcoEsceSopra) result = "+";
    if (a == x.ArcoEntraSotto) result = "-";
    if (a == x.ArcoEsceSotto) result = "-";
    return result;
}

}  // namespace

int ConvertiBase(int i, int base, int numGemelli) {
    int r = i - base;
    if (r < 1) r += numGemelli;
    return r;
}

int ConvertiBaseInv(int i, int base, int numGemelli) {
    int r = i + base;
    if (r > numGemelli) r -= numGemelli;
    return r;
}

int IncrocioDaArco(const Diagram& d, int n, int d1, MessagePort& messages) {
    int result = -1;
    if (validCrossing(d, n) && d1 >= 1 && d1 <= 4) {
        const Incrocio& x = d.incroci[n];
        const int a = x.ArcoLato[d1];
        if (a != 0) {
            if (a == x.ArcoEntraSopra) result = x.PrecSopra;
            if (a == x.ArcoEsceSopra) result = x.SuccSopra;
            if (a == x.ArcoEntraSotto) result = x.PrecSotto;
            if (a == x.ArcoEsceSotto) result = x.SuccSotto;
        }
    }
    if (result == -1) messages.showMessage(std::to_string(n));
    return result;
}

std::string IncrocioAb(const Diagram& d, int n, int d1, MessagePort& messages) {
    std::string result;
    if (validCrossing(d, n) && d1 >= 1 && d1 <= 4)
        result = signOfArc(d.incroci[n], d.incroci[n].ArcoLato[d1]);
    if (result.empty()) messages.showMessage(std::to_string(n));
    return result;
}

std::string IncrocioAbArco(const Diagram& d, int n, int arco, MessagePort& messages) {
    std::string result = segnoArcoIncrocio(d, n, arco);
    if (result.empty()) messages.showMessage(std::to_string(n));
    return result;
}

std::string segnoArcoIncrocio(const Diagram& d, int n, int arco) {
    return validCrossing(d, n) ? signOfArc(d.incroci[n], arco) : std::string();
}

}  // namespace trevalon
