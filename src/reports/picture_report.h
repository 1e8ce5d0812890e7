#pragma once
// The picture report (`GenerareportCompl1pg`): the prepared GIF pictures of the solving steps of a knot,
// found in the folder "report" beside the program, laid out as a document: a title page with the legend
// and the first picture, then one picture a page, and a second title page before the pictures of the
// connected components (the first name, after the first picture, that reads "s1.gif" in any case).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/page_document.h"
#include "platform/result.h"

namespace trevalon {

inline constexpr const char* kNessunaImmagine = "No pictures in report";

// The folder "report" in `programFolder`, or failing that one of that name in another case; nullopt when
// there is none.
std::optional<std::filesystem::path> cartellaReport(const std::filesystem::path& programFolder);

// The names of the GIF files of `folder` (".gif" in any case), sorted by character codes as
// `OrdinaStringhe` sorts (upper case before lower case); none for a missing folder.
std::vector<std::string> elencoImmaginiReport(const std::filesystem::path& folder);

struct DimensioniImmagine {
    int width = 0, height = 0;  // pixels
};

// Width and height of a GIF picture from the first bytes of its file (its signature and logical screen);
// nullopt when they are not a GIF header or give a width or height of 0.
std::optional<DimensioniImmagine> dimensioniIntestazioneGif(std::string_view intestazione);

// Width and height of a GIF file from its header; nullopt when the file is not a GIF or cannot be read.
std::optional<DimensioniImmagine> dimensioniGif(const std::filesystem::path& file);

// `GenerareportCompl1pg` on the pictures of `folder`. Every picture keeps its proportions: the first at
// its own size (15 twips a pixel) centred under the legend, the others as wide as the printable width,
// each made smaller where it would not fit its page. "00.GIF" (exactly so) leaves its page empty. An empty
// or missing folder gives "No pictures in report"; a picture that cannot be read names itself.
Result<PageDocument> GenerareportCompl1pg(const std::filesystem::path& folder, const TextMeasure& measure);

}  // namespace trevalon
