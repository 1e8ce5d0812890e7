#include "layout/routing_dump.h"

#include "platform/xlsx_export.h"

namespace trevalon {

void scriviErroreBordo(const DumpFolder& dump, const std::string& arcsLeft,
                       const GridControl* grigliaPrincipale) {
    if (!dump.active()) return;
    writeDump(dump, "errbordo.txt", arcsLeft + "\n");
    if (!grigliaPrincipale) return;
    const std::filesystem::path path = dump.folder / "errbordo.xlsx";
    if (Status ok = scriviGrigliaXlsx(*grigliaPrincipale, path.string(), "errbordo", {}); !ok)
        reportDumpFailure(dump, path, ok.error());
}

}  // namespace trevalon
