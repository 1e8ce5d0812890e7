#include "designer/picture_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

#include "platform/safe_file.h"
#include "platform/text.h"

namespace trevalon {

namespace {

namespace fs = std::filesystem;

struct Tipo {
    FormatoImmagine formato;
    std::string_view firma;
    std::array<std::string_view, 3> estensioni;  // the first is the kind's own
};

constexpr std::array<Tipo, 5> kTipi = {{
    {FormatoImmagine::Gif, "GIF87a", {".gif", "", ""}},
    {FormatoImmagine::Gif, "GIF89a", {".gif", "", ""}},
    {FormatoImmagine::Jpeg, "\xFF\xD8\xFF", {".jpg", ".jpeg", ".jpe"}},
    {FormatoImmagine::Png, "\x89PNG\r\n\x1A\n", {".png", "", ""}},
    {FormatoImmagine::Bmp, "BM", {".bmp", "", ""}},
}};

const Tipo& tipoDi(FormatoImmagine f) {
    return *std::find_if(kTipi.begin(), kTipi.end(), [f](const Tipo& t) { return t.formato == f; });
}

std::string minuscolo(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// Why a read was refused, without the path (the message names the picture once).
std::string motivoRifiuto(const FileRead& letto) {
    switch (letto.refusal) {
        case ReadRefusal::None:
            return {};
        case ReadRefusal::Missing:
            return "there is no such file";
        case ReadRefusal::Folder:
            return "it is a folder";
        case ReadRefusal::LinkLoop:
            return "it is a loop of symbolic links";
        case ReadRefusal::NotRegular:
            return "it is not a regular file";
        case ReadRefusal::TooLarge:
            return "it is larger than " + std::to_string(kMaxImmagineBytes / (std::uintmax_t{1024} * 1024)) +
                   " MB";
        case ReadRefusal::Unreadable:
            return letto.reason;
        case ReadRefusal::NameTooLong:
            return kNomeTroppoLungo;
    }
    return {};
}

constexpr const char* kNonImmagine = "it is not a GIF, JPEG, PNG or BMP picture";

bool stessoFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return a.lexically_normal() == b.lexically_normal() || fs::equivalent(a, b, ec);
}

}  // namespace

FormatoImmagine formatoImmagine(std::string_view bytes) {
    for (const Tipo& t : kTipi)
        if (bytes.substr(0, t.firma.size()) == t.firma) return t.formato;
    return FormatoImmagine::Nessuno;
}

std::vector<fs::path> candidatiImmagine(const std::string& nome, const fs::path& cartellaSorgente) {
    std::vector<fs::path> out;
    if (nome.empty()) return out;
    const fs::path p(nome);
    out.push_back(p.is_relative() && !cartellaSorgente.empty() ? cartellaSorgente / p : p);
    if (!cartellaSorgente.empty() && !p.filename().empty()) {
        const fs::path accanto = cartellaSorgente / p.filename();
        if (accanto.lexically_normal() != out.front().lexically_normal()) out.push_back(accanto);
    }
    return out;
}

ImmagineTrovata cercaImmagine(const std::string& nome, const fs::path& cartellaSorgente,
                              const std::function<bool(const std::string& bytes)>& decodifica) {
    ImmagineTrovata out;
    for (const fs::path& p : candidatiImmagine(nome, cartellaSorgente)) {
        FileRead letto = readRegularFile(p, kMaxImmagineBytes);
        std::string motivo = motivoRifiuto(letto);
        if (motivo.empty() && formatoImmagine(letto.bytes) == FormatoImmagine::Nessuno) motivo = kNonImmagine;
        if (motivo.empty() && decodifica && !decodifica(letto.bytes))
            motivo = "the picture cannot be decoded";
        if (motivo.empty()) {
            out.percorso = p;
            out.bytes = std::move(letto.bytes);
            out.motivo.clear();
            return out;
        }
        // The first place that holds something says why; a place that holds nothing says so only alone.
        if (out.motivo.empty() ||
            (letto.refusal != ReadRefusal::Missing && out.motivo == "there is no such file"))
            out.motivo = std::move(motivo);
    }
    return out;
}

std::string messaggioImmagineNonCaricata(const std::string& nome, const std::string& motivo) {
    return "The picture " + citazione(nome) + " could not be loaded (" + motivo +
           "): the drawing goes on without it.";
}

fs::path destinazioneImmagine(const fs::path& sorgente, const fs::path& immagine, FormatoImmagine formato) {
    fs::path out = sorgente;
    if (formato == FormatoImmagine::Nessuno) return out;
    const Tipo& tipo = tipoDi(formato);
    const std::string propria = immagine.extension().string();
    const bool delTipo = std::find(tipo.estensioni.begin(), tipo.estensioni.end(), minuscolo(propria)) !=
                         tipo.estensioni.end();
    out.replace_extension(delTipo && !propria.empty() ? propria : std::string(tipo.estensioni.front()));
    return out;
}

std::string CopiaImg(const fs::path& immagine, const fs::path& FileSorgente, fs::path* copiata) {
    if (immagine.empty()) return {};
    const std::string perche = "The picture was not copied beside the knot source: ";
    FileRead letto = readRegularFile(immagine, kMaxImmagineBytes);
    std::string motivo = motivoRifiuto(letto);
    const FormatoImmagine formato = formatoImmagine(letto.bytes);
    if (motivo.empty() && formato == FormatoImmagine::Nessuno) motivo = kNonImmagine;
    if (!motivo.empty()) return perche + citazione(immagine.string()) + ": " + motivo + ".";

    const fs::path destinazione = destinazioneImmagine(FileSorgente, immagine, formato);
    std::error_code ec;
    if (fs::equivalent(destinazione, immagine, ec)) return {};
    const std::string dove = perche + citazione(destinazione.string()) + " ";
    if (stessoFile(destinazione, FileSorgente)) return dove + "is the knot source itself.";
    // A file already there is replaced only when it is a picture (an older copy); anything else stays. The
    // name is of the program's making: a link there, to a picture or not, dangling or not, is refused by the
    // write, which never follows it.
    const fs::file_status gia = fs::symlink_status(destinazione, ec);
    if (ec || (fs::exists(gia) && !fs::is_symlink(gia))) {
        const FileRead letta = readRegularFile(destinazione, kMaxImmagineBytes);
        // A name too long is no file there: writing it says why it cannot be.
        if (letta.refusal != ReadRefusal::Missing && letta.refusal != ReadRefusal::NameTooLong &&
            (letta.refusal != ReadRefusal::None || formatoImmagine(letta.bytes) == FormatoImmagine::Nessuno))
            return dove + "is there and is not a picture: it is left as it is.";
    }
    if (const Status scritto = replaceFileContents(destinazione, letto.bytes, TargetName::Derived); !scritto)
        return dove + "could not be written: " + scritto.error() + ".";
    if (copiata) *copiata = destinazione;
    return {};
}

}  // namespace trevalon
