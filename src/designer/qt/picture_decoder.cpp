#include "designer/qt/picture_decoder.h"

#include <QImage>
#include <utility>

namespace trevalon {

bool decodificaImmagine(const std::string& bytes, QImage* immagine) {
    QImage img;
    const bool ok =
        img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    if (ok && immagine) *immagine = std::move(img);
    return ok;
}

}  // namespace trevalon
