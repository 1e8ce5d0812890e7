#include "platform/xlsx_export.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/safe_file.h"

namespace trevalon {

namespace {

// A cell's text read as a whole number, when it is exactly one.
bool interoDa(const std::string& s, long long& out) {
    if (s.empty()) return false;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

// Grid widths are in twips; a spreadsheet column is measured in characters of about 7 pixels.
double larghezzaCaratteri(int twips) {
    const double pixels = twips / 15.0;
    return pixels / 7.0 + 1.0;
}

// The workbook written to path, a new file of its own.
Status scriviWorkbook(const GridControl& grid, const std::string& path, const std::string& sheetName,
                      const std::set<int>& numericColumns) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook) return fail("the workbook cannot be created");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.c_str());
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_error err = LXW_NO_ERROR;
    for (int c = 0; c < grid.cols() && err == LXW_NO_ERROR; ++c) {
        err = worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                   larghezzaCaratteri(grid.colWidth(c)), nullptr);
    }
    if (grid.rows() > 1) worksheet_freeze_panes(sheet, 1, 0);
    for (int r = 0; r < grid.rows() && err == LXW_NO_ERROR; ++r) {
        for (int c = 0; c < grid.cols() && err == LXW_NO_ERROR; ++c) {
            const std::string& text = grid.text(r, c);
            if (text.empty()) continue;
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            long long number = 0;
            if (r == 0)
                err = worksheet_write_string(sheet, row, col, text.c_str(), bold);
            else if (numericColumns.count(c) && interoDa(text, number))
                err = worksheet_write_number(sheet, row, col, static_cast<double>(number), nullptr);
            else
                err = worksheet_write_string(sheet, row, col, text.c_str(), nullptr);
        }
    }
    errno = 0;
    const lxw_error closeErr = workbook_close(workbook);  // also frees the workbook
    const int closeErrno = errno;
    if (err == LXW_NO_ERROR) err = closeErr;
    if (err != LXW_NO_ERROR) {
        // libxlsxwriter's own words, and the system's reason where a file operation failed.
        std::string why = lxw_strerror(err);
        if (closeErrno != 0 && (err == LXW_ERROR_CREATING_XLSX_FILE || err == LXW_ERROR_CREATING_TMPFILE ||
                                err == LXW_ERROR_ZIP_FILE_OPERATION || err == LXW_ERROR_ZIP_FILE_ADD ||
                                err == LXW_ERROR_ZIP_CLOSE))
            why += std::string(": ") + std::strerror(closeErrno);
        return fail(why);
    }
    return {};
}

}  // namespace

Status scriviGrigliaXlsx(const GridControl& grid, const std::string& path, const std::string& sheetName,
                         const std::set<int>& numericColumns) {
    // libxlsxwriter writes its zip into a file of its own beside the target, which takes the target's
    // place only when the whole workbook was written: a failed export keeps the old file.
    return replaceFileWith(path, [&](const std::filesystem::path& temporary) {
        return scriviWorkbook(grid, temporary.string(), sheetName, numericColumns);
    });
}

}  // namespace trevalon
