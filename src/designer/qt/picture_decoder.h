#pragma once
// The designer's own test of a picture: the bytes found for a design are shown only when Qt decodes them
// whole, with Qt's limits on a picture's size. The declaration needs no Qt, so that trevalon-bench compile,
// built with Qt, writes exactly the picture copy the designer writes (see designer/picture_file.h).

#include <string>

class QImage;

namespace trevalon {

// Whether `bytes` decode as a picture; the picture into `immagine` when it is given.
bool decodificaImmagine(const std::string& bytes, QImage* immagine = nullptr);

}  // namespace trevalon
