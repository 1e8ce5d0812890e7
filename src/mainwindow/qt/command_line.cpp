#include "mainwindow/qt/command_line.h"

#include <QCoreApplication>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "mainwindow/small_boxes.h"

namespace trevalon {

namespace {

// The options of Qt's own windows (QGuiApplication, QApplication and the X11 platform), which the window's
// application takes out of the arguments: those followed by a value, and those without.
constexpr std::array<std::string_view, 18> kQtConValore = {"platform",
                                                           "platformpluginpath",
                                                           "platformtheme",
                                                           "plugin",
                                                           "qwindowgeometry",
                                                           "geometry",
                                                           "qwindowtitle",
                                                           "title",
                                                           "qwindowicon",
                                                           "icon",
                                                           "session",
                                                           "display",
                                                           "name",
                                                           "visual",
                                                           "style",
                                                           "stylesheet",
                                                           "qmljsdebugger",
                                                           "graphicssystem"};
constexpr std::array<std::string_view, 8> kQtSenzaValore = {
    "reverse", "widgetcount", "testability", "nograb", "dograb", "sync", "qdevel", "qdebug"};

bool tra(std::string_view nome, const auto& elenco) {
    for (std::string_view n : elenco)
        if (n == nome) return true;
    return false;
}

}  // namespace

QStringList senzaOpzioniDiQt(const QStringList& argomenti) {
    QStringList out;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        // After "--" every argument is a plain one.
        if (i > 0 && a == "--") {
            out << argomenti.mid(i);
            break;
        }
        if (i == 0 || !a.startsWith('-') || a == "-") {
            out << a;
            continue;
        }
        const QString corpo = a.mid(a.startsWith("--") ? 2 : 1);
        const qsizetype uguale = corpo.indexOf('=');
        const std::string nome = corpo.left(uguale < 0 ? corpo.size() : uguale).toStdString();
        if (uguale < 0 && tra(nome, kQtSenzaValore)) continue;
        if (tra(nome, kQtConValore)) {
            if (uguale < 0) ++i;  // the value is the next argument
            continue;
        }
        out << a;
    }
    return out;
}

OpzioniAvvio::OpzioniAvvio(const ProgramContext& ctx)
    : developer_("developer",
                 "Starts in the developer layout: a panel of construction buttons in place of the toolbar."),
      debug_("debug", QString::fromStdString("Writes the debug dumps into " + ctx.cartellaDump.string() +
                                             ": " + dumpDelDebug())),
      version_(QStringList{"v", "version"}, "Prints the program's name and version.") {
    parser_.setApplicationDescription("Simplifies knot diagrams move by move.");
    parser_.addHelpOption();
    parser_.addOption(version_);
    parser_.addOption(developer_);
    parser_.addOption(debug_);
}

std::optional<RispostaAvvio> OpzioniAvvio::leggi(const QStringList& argomenti) {
    const QStringList propri = senzaOpzioniDiQt(argomenti);
    const bool letti = parser_.parse(propri);
    // The help first, also when another option is wrong: it says what the options are. The help with Qt's
    // own options is printed by Qt's parser, which then ends the program.
    if (parser_.isSet("help-all")) parser_.process(propri);
    if (parser_.isSet("help")) return RispostaAvvio{0, false, parser_.helpText().toStdString()};
    if (!letti)
        return RispostaAvvio{2, true,
                             "trevalon: " + parser_.errorText().toStdString() +
                                 "\nThe options are listed by: trevalon --help\n"};
    if (parser_.isSet(version_)) return RispostaAvvio{0, false, "Trevalon " + std::string(kVersione) + "\n"};
    return std::nullopt;
}

std::string OpzioniAvvio::applica(ProgramContext& ctx) const {
    ctx.ModoSviluppo = parser_.isSet(developer_);
    ctx.ModoDebug = parser_.isSet(debug_);
    if (!ctx.ModoDebug) return {};
    std::error_code ec;
    std::filesystem::create_directories(ctx.cartellaDump, ec);
    if (!ec && !std::filesystem::is_directory(ctx.cartellaDump, ec) && !ec)
        ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec) return {};
    ctx.ModoDebug = false;
    return "The folder of the debug dumps cannot be made: " + ctx.cartellaDump.string() + ": " +
           ec.message() + ". The program goes on without the dumps.";
}

}  // namespace trevalon
