#include "mainwindow/qt/command_line.h"

#include <filesystem>
#include <system_error>

namespace trevalon {

OpzioniAvvio::OpzioniAvvio(const ProgramContext& ctx)
    : developer_("developer",
                 "Starts in the developer layout: a panel of construction buttons in place of the toolbar."),
      debug_("debug", QString::fromStdString("Writes the debug dumps into " + ctx.cartellaDump.string() +
                                             ": " + dumpDelDebug())) {
    parser_.setApplicationDescription("Simplifies knot diagrams move by move.");
    parser_.addHelpOption();
    parser_.addOption(developer_);
    parser_.addOption(debug_);
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
