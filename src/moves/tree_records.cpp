#include "moves/tree_records.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace trevalon {

namespace {

// The passages of a key of a code in pairs (the smallest reading, each passage as 2 * (steps forward to its
// partner) + (own sign is '+')) into `seq`; false for a key of another kind. The kinds: a first byte 3 (one
// byte a passage), 4 (two bytes) or 6 (the count of passages in two bytes, then bits, the low ones first:
// a crossing's first passage as its step count and its sign, its second passage as its sign only).
bool sequenzaChiave(std::string_view chiave, std::vector<int>& seq) {
    seq.clear();
    if (chiave.empty()) return false;
    const auto b = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(chiave[i])); };
    if (chiave[0] == '\3') {
        for (std::size_t k = 1; k < chiave.size(); ++k) seq.push_back(b(k));
        return !seq.empty();
    }
    if (chiave[0] == '\4') {
        if (chiave.size() % 2 == 0) return false;
        for (std::size_t k = 1; k + 1 < chiave.size(); k += 2) seq.push_back((b(k) << 8) | b(k + 1));
        return !seq.empty();
    }
    if (chiave[0] != '\6' || chiave.size() < 3) return false;
    const int n = b(1) | (b(2) << 8);
    if (n < 2) return false;
    int larghezza = 1;
    while ((1 << larghezza) <= n - 1) ++larghezza;
    std::size_t pos = 3;
    std::uint64_t accumulati = 0;
    int bit = 0;
    bool finita = false;
    const auto leggi = [&](int bits) {
        while (bit < bits) {
            if (pos >= chiave.size()) {
                finita = true;
                return 0;
            }
            accumulati |= static_cast<std::uint64_t>(b(pos++)) << bit;
            bit += 8;
        }
        const int v = static_cast<int>(accumulati & ((std::uint64_t{1} << bits) - 1));
        accumulati >>= bits;
        bit -= bits;
        return v;
    };
    seq.assign(static_cast<std::size_t>(n), -1);
    for (int k = 0; k < n && !finita; ++k) {
        int& c = seq[static_cast<std::size_t>(k)];
        if (c < 0) {
            const int d = leggi(larghezza);
            if (d < 1 || d >= n) return false;
            c = 2 * d;
            seq[static_cast<std::size_t>((k + d) % n)] = 2 * (n - d);
        }
        c += leggi(1);
    }
    return !finita;
}

// The code's passages in its own reading, from the key's passages `seq` and the reading: 2 * steps
// forward + sign, into `a`.
void passiDellaLettura(const std::vector<int>& seq, LetturaChiave l, std::vector<int>& a) {
    const std::size_t n = seq.size();
    const int ni = static_cast<int>(n);
    a.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        const int c = seq[k];
        const std::size_t j = (k + l.inizio) % n;
        // A backward reading's passage j is the code's passage n - 1 - j, its step count n - d.
        if (l.indietro)
            a[n - 1 - j] = 2 * (ni - c / 2) + (c & 1);
        else
            a[j] = c;
    }
}

void scriviVarint(std::string& out, std::uint64_t v) {
    while (v >= 0x80) {
        out += static_cast<char>((v & 0x7f) | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}

std::uint64_t leggiVarint(std::string_view s, std::size_t& pos) {
    std::uint64_t v = 0;
    for (int shift = 0; pos < s.size() && shift < 64; shift += 7) {
        const auto b = static_cast<unsigned char>(s[pos++]);
        v |= static_cast<std::uint64_t>(b & 0x7f) << shift;
        if (!(b & 0x80)) break;
    }
    return v;
}

void aggiungiNumero(std::string& out, long n) {
    char buf[24];
    const auto fine = std::to_chars(buf, buf + sizeof buf, n).ptr;
    out.append(buf, fine);
}

std::string nomeNuovo(long padre, long contatore) {
    std::string s;
    aggiungiNumero(s, padre);
    s += 'x';
    aggiungiNumero(s, contatore);
    return s;
}

// Letters of a record: 0 and the text, or 1, the two letters used and one bit a letter.
void scriviLettereIn(std::string& out, std::string_view ori) {
    char a = ori.empty() ? 'O' : ori[0], b = a;
    bool due = true;
    for (char c : ori) {
        if (c == a) continue;
        if (b == a) b = c;
        if (c != b) due = false;
    }
    if (!due) {
        out += '\0';
        scriviVarint(out, ori.size());
        out.append(ori);
        return;
    }
    out += '\1';
    scriviVarint(out, ori.size());
    out += a;
    out += b;
    for (std::size_t k = 0; k < ori.size(); k += 8) {
        unsigned char bits = 0;
        for (std::size_t j = k; j < std::min(ori.size(), k + 8); ++j)
            if (ori[j] == b && b != a) bits = static_cast<unsigned char>(bits | (1u << (j - k)));
        out += static_cast<char>(bits);
    }
}

void leggiLettere(std::string_view s, std::size_t& pos, std::string& ori) {
    const char modo = s[pos++];
    const std::size_t n = leggiVarint(s, pos);
    if (modo == '\0') {
        ori.assign(s.substr(pos, n));
        pos += n;
        return;
    }
    const char a = s[pos], b = s[pos + 1];
    pos += 2;
    ori.resize(n);
    for (std::size_t j = 0; j < n; ++j)
        ori[j] = (static_cast<unsigned char>(s[pos + j / 8]) >> (j % 8)) & 1u ? b : a;
    pos += (n + 7) / 8;
}

constexpr std::size_t kBlocco = std::size_t{1} << 20;

}  // namespace

void lettereCompatte(std::string_view ori, std::string& out) {
    out.clear();
    scriviLettereIn(out, ori);
}

bool letturaDelCodice(const std::vector<VoceScifta>& voci, std::string_view chiave, LetturaChiave& lettura,
                      std::vector<int>& lavoro) {
    thread_local std::vector<int> seq;
    if (!sequenzaChiave(chiave, seq) || seq.size() != voci.size()) return false;
    const std::size_t n = seq.size();
    const int ni = static_cast<int>(n);
    // The code's own passages as the key writes them; labels numbered by first appearance are checked on
    // the way (a label's first passage gets the next number).
    lavoro.assign(2 * n, 0);
    int* primo = lavoro.data() + n;  // by label: its first passage + 1
    std::vector<int>& a = lavoro;
    int prossima = 1;
    for (std::size_t k = 0; k < n; ++k) {
        const int l = voci[k].label;
        if (l < 1 || l > ni) return false;
        int& p = primo[l - 1];
        if (p == 0) {
            if (l != prossima++) return false;
            p = static_cast<int>(k) + 1;
            continue;
        }
        if (p < 0) return false;  // a third passage
        const int j = p - 1;
        a[static_cast<std::size_t>(j)] =
            2 * (static_cast<int>(k) - j) + (voci[static_cast<std::size_t>(j)].sign == '+');
        a[k] = 2 * (ni - (static_cast<int>(k) - j)) + (voci[k].sign == '+');
        p = -1;
    }
    for (int l = 1; l < prossima; ++l)
        if (primo[l - 1] >= 0) return false;  // a crossing passed once
    // The key's reading: a start where the sequence, forwards or backwards, runs as the key's.
    const int primoKey = seq[0];
    for (int dir = 0; dir < 2; ++dir) {
        auto passo = [&](std::size_t j) {
            if (dir == 0) return a[j];
            const int c = a[n - 1 - j];
            return 2 * (ni - c / 2) + (c & 1);
        };
        for (std::size_t inizio = 0; inizio < n; ++inizio) {
            if (passo(inizio) != primoKey) continue;
            std::size_t k = 1;
            while (k < n && passo((inizio + k) % n) == seq[k]) ++k;
            if (k == n) {
                lettura.inizio = static_cast<std::uint32_t>(inizio);
                lettura.indietro = dir == 1;
                return true;
            }
        }
    }
    return false;
}

bool passiDaChiave(std::string_view chiave, LetturaChiave lettura, std::vector<int>& passi) {
    thread_local std::vector<int> seq;
    if (!sequenzaChiave(chiave, seq) || lettura.inizio >= seq.size()) return false;
    passiDellaLettura(seq, lettura, passi);
    const int n = static_cast<int>(passi.size());
    for (int k = 0; k < n; ++k) {
        const int d = passi[static_cast<std::size_t>(k)] / 2;
        if (d < 1 || d >= n) return false;
        const int j = (k + d) % n;
        if ((j + passi[static_cast<std::size_t>(j)] / 2) % n != k) return false;
    }
    return true;
}

bool codiceDaChiave(std::string_view chiave, LetturaChiave lettura, std::string& codice,
                    std::vector<int>& lavoro) {
    thread_local std::vector<int> seq;
    if (!sequenzaChiave(chiave, seq) || lettura.inizio >= seq.size()) return false;
    const std::size_t n = seq.size();
    passiDellaLettura(seq, lettura, lavoro);
    thread_local std::vector<int> etichetta;
    etichetta.assign(n, 0);
    int prossima = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (etichetta[k] != 0) continue;
        etichetta[k] = ++prossima;
        etichetta[(k + static_cast<std::size_t>(lavoro[k] / 2)) % n] = prossima;
    }
    codice.clear();
    codice.reserve(5 * n);
    for (std::size_t k = 0; k < n; ++k) {
        aggiungiNumero(codice, etichetta[k]);
        codice += (lavoro[(k + 1) % n] & 1) ? '+' : '-';
    }
    return true;
}

// ---- Keys of a round ----

namespace {
// The hash's bits that pick a part are not used again for the place within it.
constexpr int kBitParte = 13;
}  // namespace

std::size_t ChiaviDelGiro::Parte::cerca(std::string_view chiave, std::size_t hash) const {
    const std::size_t maschera = voci.size() - 1;
    for (std::size_t p = (hash >> kBitParte) & maschera;; p = (p + 1) & maschera) {
        const Voce& v = voci[p];
        if (v.indice < 0 || (v.hash == hash && std::string_view(v.byte, v.lunghezza) == chiave)) return p;
    }
}

bool ChiaviDelGiro::tenutaPrima(std::string_view chiave, std::size_t hash, long indice) const {
    Parte& p = parte(hash);
    std::unique_lock<std::mutex> l(p.m, std::defer_lock);
    if (!chiusa_) l.lock();
    if (p.quante == 0) return false;
    const Voce& v = p.voci[p.cerca(chiave, hash)];
    return v.indice >= 0 && v.indice < indice;
}

namespace {
// The bytes of a part's keys are kept in blocks of this size (a longer key in a block of its own); a table
// emptied keeps this many blocks, and its places when they are no more than kVociTenute.
constexpr std::size_t kBloccoChiavi = std::size_t{1} << 16;
constexpr std::size_t kBlocchiTenuti = 2;
constexpr std::size_t kVociTenute = std::size_t{1} << 12;
}  // namespace

char* ChiaviDelGiro::Parte::spazio(std::size_t n) {
    if (n > kBloccoChiavi) {
        // A block of its own, before the one being filled.
        blocchi.insert(blocchi.begin() + static_cast<long>(blocco),
                       std::make_unique_for_overwrite<char[]>(n));
        return blocchi[blocco++].get();
    }
    if (blocco < blocchi.size() && usati + n > kBloccoChiavi) {
        ++blocco;
        usati = 0;
    }
    if (blocco == blocchi.size()) blocchi.push_back(std::make_unique_for_overwrite<char[]>(kBloccoChiavi));
    char* q = blocchi[blocco].get() + usati;
    usati += n;
    return q;
}

std::string_view ChiaviDelGiro::tieni(std::string_view chiave, std::size_t hash, long indice, bool* nuova) {
    if (nuova) *nuova = false;
    Parte& p = parte(hash);
    const std::lock_guard<std::mutex> l(p.m);
    if (2 * (p.quante + 1) > p.voci.size()) {
        // Grown to twice the size, the keys placed again by the hashes they keep.
        std::vector<Voce> vecchie(std::max<std::size_t>(16, 2 * p.voci.size()));
        vecchie.swap(p.voci);
        const std::size_t maschera = p.voci.size() - 1;
        for (const Voce& v : vecchie) {
            if (v.indice < 0) continue;
            std::size_t q = (v.hash >> kBitParte) & maschera;
            while (p.voci[q].indice >= 0) q = (q + 1) & maschera;
            p.voci[q] = v;
        }
    }
    Voce& v = p.voci[p.cerca(chiave, hash)];
    if (v.indice >= 0) {
        v.indice = std::min(v.indice, static_cast<std::int32_t>(indice));
        return {v.byte, v.lunghezza};
    }
    char* byte = p.spazio(chiave.size());
    std::copy(chiave.begin(), chiave.end(), byte);
    v.hash = hash;
    v.byte = byte;
    v.lunghezza = static_cast<std::uint32_t>(chiave.size());
    v.indice = static_cast<std::int32_t>(indice);
    ++p.quante;
    if (nuova) *nuova = true;
    return {v.byte, v.lunghezza};
}

std::size_t ChiaviDelGiro::quante() const {
    std::size_t n = 0;
    for (const Parte& p : parti_) n += p.quante;
    return n;
}

void ChiaviDelGiro::svuota() {
    for (Parte& p : parti_) {
        if (p.voci.size() > kVociTenute)
            std::vector<Voce>().swap(p.voci);
        else if (p.quante != 0)
            std::fill(p.voci.begin(), p.voci.end(), Voce{});
        p.quante = 0;
        if (p.blocchi.size() > kBlocchiTenuti) p.blocchi.resize(kBlocchiTenuti);
        p.blocco = 0;
        p.usati = 0;
    }
    chiusa_ = false;
}

// ---- Names ----

void NomiCompatti::chiudi() const {
    if (tipo_ < 0) return;
    scriviVarint(byte_, static_cast<std::uint64_t>(lunghezza_) << 2 | static_cast<std::uint64_t>(tipo_));
    scriviVarint(byte_, static_cast<std::uint64_t>(primo_));
    tipo_ = -1;
}

void NomiCompatti::vecchio(int numero) {
    if (tipo_ == 0 && primo_ + lunghezza_ == numero) {
        ++lunghezza_;
        return;
    }
    chiudi();
    tipo_ = 0;
    primo_ = numero;
    lunghezza_ = 1;
}

void NomiCompatti::nuovo(long padre, long contatore) {
    if (tipo_ == 1 && padre == padre_ && primo_ + lunghezza_ == contatore) {
        ++lunghezza_;
        return;
    }
    chiudi();
    tipo_ = 1;
    padre_ = padre;
    primo_ = contatore;
    lunghezza_ = 1;
}

void NomiCompatti::testo(std::string_view nome) {
    chiudi();
    scriviVarint(byte_, nome.size() << 2 | 2u);
    byte_.append(nome);
}

NomiCompatti NomiCompatti::daTesto(std::string_view nomi, long padre,
                                   const std::vector<std::string>& nomiPadre) {
    NomiCompatti c;
    if (nomi.empty()) {
        c.vuoto_ = true;
        return c;
    }
    if (nomi.front() != '|' || nomi.back() != '|') {
        // Not a list of names: kept as it is, as the one name of a list marked as bare text.
        scriviVarint(c.byte_, nomi.size() << 2 | 3u);
        c.byte_.append(nomi);
        return c;
    }
    std::unordered_map<std::string_view, int> numeri;
    for (std::size_t k = nomiPadre.size(); k-- > 1;) numeri[nomiPadre[k]] = static_cast<int>(k);
    const std::string prefisso = nomeNuovo(padre, 0).substr(0, nomeNuovo(padre, 0).size() - 1);
    std::size_t pos = 1;
    while (pos < nomi.size()) {
        const std::size_t fine = nomi.find('|', pos);
        const std::string_view nome = nomi.substr(pos, fine - pos);
        pos = fine + 1;
        // The run under way first: a name that continues it stays in it.
        if (c.tipo_ == 0 && static_cast<std::size_t>(c.primo_ + c.lunghezza_) < nomiPadre.size() &&
            nomiPadre[static_cast<std::size_t>(c.primo_ + c.lunghezza_)] == nome) {
            c.vecchio(static_cast<int>(c.primo_ + c.lunghezza_));
            continue;
        }
        if (const auto it = numeri.find(nome); it != numeri.end()) {
            c.vecchio(it->second);
            continue;
        }
        if (nome.empty()) {
            c.vecchio(0);
            continue;
        }
        if (nome.size() > prefisso.size() && nome.substr(0, prefisso.size()) == prefisso) {
            long contatore = 0;
            const std::string_view cifre = nome.substr(prefisso.size());
            const auto [p, ec] = std::from_chars(cifre.data(), cifre.data() + cifre.size(), contatore);
            if (ec == std::errc() && p == cifre.data() + cifre.size() &&
                nomeNuovo(padre, contatore) == nome) {
                c.nuovo(padre, contatore);
                continue;
            }
        }
        c.testo(nome);
    }
    return c;
}

void NomiCompatti::leggi(std::string_view byte, long padre, const std::vector<std::string>& nomiPadre,
                         std::vector<std::string>& nomi) {
    nomi.assign(1, std::string());
    std::size_t pos = 0;
    while (pos < byte.size()) {
        const std::uint64_t v = leggiVarint(byte, pos);
        const std::size_t lunghezza = v >> 2;
        switch (v & 3u) {
            case 0: {
                const std::size_t primo = leggiVarint(byte, pos);
                for (std::size_t k = 0; k < lunghezza; ++k)
                    nomi.push_back(primo + k < nomiPadre.size() ? nomiPadre[primo + k] : std::string());
                break;
            }
            case 1: {
                const long primo = static_cast<long>(leggiVarint(byte, pos));
                for (std::size_t k = 0; k < lunghezza; ++k)
                    nomi.push_back(nomeNuovo(padre, primo + static_cast<long>(k)));
                break;
            }
            default:
                nomi.emplace_back(byte.substr(pos, lunghezza));
                pos += lunghezza;
                break;
        }
    }
}

// ---- Records ----

namespace {
constexpr std::uint32_t kTesto = 0xffffffffu;  // Compatto::inizio of a code kept as text
}

RecordAlbero::RecordAlbero() = default;
RecordAlbero::~RecordAlbero() = default;

void RecordAlbero::azzera(NodoLista radice) {
    radice_ = std::move(radice);
    record_.clear();
    record_.shrink_to_fit();
    blocchi_.clear();
    usatiNelBlocco_ = 0;
    letti_.clear();
}

long RecordAlbero::padre(long i) const {
    return i == 0 ? radice_.IndicePadre : record_[static_cast<std::size_t>(i - 1)].IndicePadre;
}

int RecordAlbero::profondita(long i) const {
    return i == 0 ? radice_.Profondita : record_[static_cast<std::size_t>(i - 1)].Profondita;
}

std::int64_t RecordAlbero::numGiro(long i) const {
    return i == 0 ? radice_.NumGiro : record_[static_cast<std::size_t>(i - 1)].NumGiro;
}

std::uint32_t RecordAlbero::numeroChiave(long i) const {
    return record_[static_cast<std::size_t>(i - 1)].chiave;
}

char* RecordAlbero::spazio(std::size_t misura, std::uint64_t& dove) {
    if (blocchi_.empty() || usatiNelBlocco_ + misura > kBlocco) {
        blocchi_.push_back(std::make_unique_for_overwrite<char[]>(std::max(kBlocco, misura)));
        usatiNelBlocco_ = 0;
    }
    dove = (blocchi_.size() - 1) * kBlocco + usatiNelBlocco_;
    char* p = blocchi_.back().get() + usatiNelBlocco_;
    usatiNelBlocco_ += misura;
    return p;
}

std::string_view RecordAlbero::dati(const Compatto& c) const {
    const char* p = blocchi_[c.dove / kBlocco].get() + c.dove % kBlocco;
    // The bytes start with their length.
    std::size_t pos = 0;
    const std::size_t n = leggiVarint(std::string_view(p, 10), pos);
    return {p + pos, n};
}

void RecordAlbero::aggiungi(const NodoLista& n, std::uint32_t numeroChiave, const LetturaChiave* lettura,
                            std::string_view lettere, const NomiCompatti& nomi) {
    Compatto c;
    c.NumGiro = n.NumGiro;
    c.IndicePadre = static_cast<std::int32_t>(n.IndicePadre);
    c.Mossa = static_cast<std::int32_t>(n.Mossa);
    c.Profondita = n.Profondita;
    c.chiave = numeroChiave;
    c.inizio = lettura ? lettura->inizio : kTesto;
    c.indietro = lettura && lettura->indietro;
    c.nomiVuoti = nomi.vuoto_;
    thread_local std::string corpo;
    corpo.clear();
    if (!lettura) {
        scriviVarint(corpo, n.Codice.size());
        corpo += n.Codice;
    }
    corpo += lettere;
    corpo += nomi.byte();
    std::string testa;
    scriviVarint(testa, corpo.size());
    char* p = spazio(testa.size() + corpo.size(), c.dove);
    std::copy(testa.begin(), testa.end(), p);
    std::copy(corpo.begin(), corpo.end(), p + testa.size());
    record_.push_back(c);
}

const std::vector<std::string>& RecordAlbero::nomi(long i) const {
    const int d = profondita(i);
    if (d < 0) {
        thread_local std::vector<std::string> nessuno{std::string()};
        return nessuno;
    }
    if (letti_.size() <= static_cast<std::size_t>(d)) letti_.resize(static_cast<std::size_t>(d) + 1);
    if (letti_[static_cast<std::size_t>(d)].indice == i) return letti_[static_cast<std::size_t>(d)].nomi;
    if (i == 0) {
        NomiLetti& l = letti_[static_cast<std::size_t>(d)];
        NomiCompatti::leggi(NomiCompatti::daTesto(radice_.Nomi, -1, {}).byte(), -1, {}, l.nomi);
        l.indice = i;
        return l.nomi;
    }
    const Compatto& c = record_[static_cast<std::size_t>(i - 1)];
    // The parent's names first: they are kept one depth up, where reading this record cannot overwrite
    // them. A parent that is not an earlier record one depth up is read into a copy.
    thread_local std::vector<std::string> copia;
    const bool padreValido = c.IndicePadre >= 0 && c.IndicePadre < i;
    const bool suo = padreValido && profondita(c.IndicePadre) == d - 1;
    if (!suo) copia = padreValido ? nomi(c.IndicePadre) : std::vector<std::string>{std::string()};
    const std::vector<std::string>& nomiPadre = suo ? nomi(c.IndicePadre) : copia;
    const std::string_view s = dati(c);
    std::size_t pos = 0;
    if (c.inizio == kTesto) pos += leggiVarint(s, pos);
    thread_local std::string ori;
    leggiLettere(s, pos, ori);
    NomiLetti& l = letti_[static_cast<std::size_t>(d)];
    NomiCompatti::leggi(s.substr(pos), c.IndicePadre, nomiPadre, l.nomi);
    l.indice = i;
    return l.nomi;
}

void RecordAlbero::codiceELettere(long i, std::string_view chiave, std::string& codice, std::string& ori,
                                  std::vector<int>& lavoro) const {
    if (i == 0) {
        codice = radice_.Codice;
        ori = radice_.Ori;
        return;
    }
    const Compatto& c = record_[static_cast<std::size_t>(i - 1)];
    const std::string_view s = dati(c);
    std::size_t pos = 0;
    if (c.inizio == kTesto) {
        const std::size_t lunghezza = leggiVarint(s, pos);
        codice.assign(s.substr(pos, lunghezza));
        pos += lunghezza;
    } else {
        codiceDaChiave(chiave, LetturaChiave{c.inizio, c.indietro != 0}, codice, lavoro);
    }
    leggiLettere(s, pos, ori);
}

bool RecordAlbero::passiELettere(long i, std::string_view chiave, std::vector<int>& passi,
                                 std::string& ori) const {
    if (i == 0) return false;
    const Compatto& c = record_[static_cast<std::size_t>(i - 1)];
    if (c.inizio == kTesto || !passiDaChiave(chiave, LetturaChiave{c.inizio, c.indietro != 0}, passi))
        return false;
    const std::string_view s = dati(c);
    std::size_t pos = 0;
    leggiLettere(s, pos, ori);
    return true;
}

void RecordAlbero::scriviRecord(long i, NodoLista& n, std::string_view chiave) const {
    const Compatto& c = record_[static_cast<std::size_t>(i - 1)];
    n.NumGiro = c.NumGiro;
    n.IndicePadre = c.IndicePadre;
    n.Mossa = c.Mossa;
    n.Profondita = c.Profondita;
    const std::string_view s = dati(c);
    std::size_t pos = 0;
    if (c.inizio == kTesto) {
        const std::size_t lunghezza = leggiVarint(s, pos);
        n.Codice.assign(s.substr(pos, lunghezza));
        pos += lunghezza;
    } else {
        codiceDaChiave(chiave, LetturaChiave{c.inizio, c.indietro != 0}, n.Codice, lavoro_);
    }
    leggiLettere(s, pos, n.Ori);
    n.Nomi.clear();
    if (c.nomiVuoti) return;
    // A text that is not a list was kept whole.
    if (pos < s.size()) {
        std::size_t p = pos;
        const std::uint64_t v = leggiVarint(s, p);
        if ((v & 3u) == 3u) {
            n.Nomi.assign(s.substr(p, v >> 2));
            return;
        }
    }
    const std::vector<std::string>& nomi = this->nomi(i);
    n.Nomi = "|";
    for (std::size_t k = 1; k < nomi.size(); ++k) {
        n.Nomi += nomi[k];
        n.Nomi += '|';
    }
}

}  // namespace trevalon
