#include "mainwindow/qt/small_boxes_qt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/grid_view.h"

namespace trevalon {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QRect screenArea(const QWidget* w) {
    const QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// At the top of the screen, against its right edge; over a main window, at the top right of its
// contents, clear of its title bar and its buttons.
void placeTopRight(QDialog* box, const QWidget* owner) {
    box->adjustSize();
    const QRect area = screenArea(owner);
    int right = area.right() + 1;
    int top = area.top();
    if (const auto* main = qobject_cast<const QMainWindow*>(owner); main && main->isVisible()) {
        const QWidget* contents = main->centralWidget() ? main->centralWidget() : main;
        const QPoint corner = contents->mapToGlobal(QPoint(contents->width(), 0));
        right = std::min(right, corner.x());
        top = std::max(top, corner.y());
    }
    const QSize frame = box->frameGeometry().size();
    box->move(std::max(area.left(), right - frame.width()),
              std::max(area.top(), std::min(top, area.bottom() + 1 - frame.height())));
}

QDialog* newBox(QWidget* owner, const QString& caption) {
    auto* box = new QDialog(owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowTitle(caption);
    return box;
}

void closeBox(QPointer<QDialog>& box) {
    if (box) {
        box->close();
        delete box.data();
    }
    box = nullptr;
}

}  // namespace

QtBoxes::QtBoxes(QWidget* owner) : owner_(owner) {}

QtBoxes::~QtBoxes() {
    closeBox(form4_);
    closeBox(formProp_);
}

std::vector<std::string> QtBoxes::pictureFormats() const {
    std::vector<std::string> out;
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        out.push_back(f.toLower().toStdString());
    return out;
}

bool QtBoxes::showImageBox(const std::string& path, const std::string& caption) {
    closeImageBox();
    QImageReader reader(q(path));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    QDialog* box = newBox(owner_, q(caption));
    box->setObjectName("Form4");
    auto* image1 = new QLabel(box);
    image1->setObjectName("Image1");
    // A picture larger than the screen is shown smaller, whole.
    const QRect area = screenArea(owner_);
    QPixmap pixmap = QPixmap::fromImage(image);
    const QSize room(std::max(1, area.width() - 40), std::max(1, area.height() - 60));
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image1->setPixmap(pixmap);
    auto* layout = new QVBoxLayout(box);
    // 300 twips beside the picture and 500 under it.
    layout->setContentsMargins(0, 0, 300 / kTwipsPerPixel, 500 / kTwipsPerPixel);
    layout->addWidget(image1);
    box->setFixedSize(box->sizeHint());
    placeTopRight(box, owner_);
    form4_ = box;
    box->show();
    return true;
}

void QtBoxes::closeImageBox() {
    closeBox(form4_);
}

void QtBoxes::showPropertyBox(const std::string& caption, const std::string& gaussCode,
                              const std::string& indices, const std::string& crossings) {
    closePropertyBox();
    QDialog* box = newBox(owner_, q(caption));
    box->setObjectName("FormProp");
    auto* form = new QFormLayout(box);
    // Each field as wide as its text, up to most of the screen; a longer text goes on over more lines, so
    // that the whole code of a large knot is seen.
    const int larghezza = std::max(360, screenArea(owner_).width() * 3 / 5);
    const auto field = [&](const char* name, const char* label, const std::string& text) {
        auto* edit = new QPlainTextEdit(q(text), box);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const QFontMetrics fm = edit->fontMetrics();
        const int margini =
            2 * (edit->frameWidth() + static_cast<int>(edit->document()->documentMargin())) + 8;
        const int testo = fm.horizontalAdvance(edit->toPlainText()) + margini;
        const int w = std::clamp(testo, 360, larghezza);
        // Lines wrap anywhere in a code without blanks; one line spare for a wrap that falls short.
        const int piene = (testo + w - margini - 1) / std::max(1, w - margini);
        const int righe = piene > 1 ? piene + 1 : 1;
        edit->setFixedSize(w, righe * fm.lineSpacing() + margini);
        form->addRow(QObject::tr(label), edit);
    };
    field("txtgau", "Gauss Code:", gaussCode);
    field("txtOrie", "Indices:", indices);
    field("TxtIncr", "Crossings:", crossings);
    placeTopRight(box, owner_);
    formProp_ = box;
    box->show();
}

void QtBoxes::closePropertyBox() {
    closeBox(formProp_);
}

void QtBoxes::showInfoBox(const std::string& caption, const std::vector<std::string>& lines) {
    QDialog box(owner_);
    box.setObjectName("Form8");
    box.setWindowTitle(q(caption));
    if (owner_) box.setWindowIcon(owner_->windowIcon());
    auto* layout = new QVBoxLayout(&box);
    int n = 0;
    for (const std::string& line : lines) {
        auto* label = new QLabel(q(line), &box);
        label->setObjectName(QStringLiteral("Label%1").arg(++n));
        label->setWordWrap(n > 1);
        layout->addWidget(label);
    }
    auto* command1 = new QPushButton(QObject::tr("OK"), &box);
    command1->setObjectName("Command1");
    command1->setDefault(true);
    QObject::connect(command1, &QPushButton::clicked, &box, &QDialog::accept);
    layout->addWidget(command1, 0, Qt::AlignHCenter);
    box.setMinimumWidth(380);
    box.adjustSize();
    // Centred across the screen, a third of the way down.
    const QRect area = screenArea(owner_);
    box.move(area.left() + (area.width() - box.width()) / 2, area.top() + (area.height() - box.height()) / 3);
    box.exec();
}

}  // namespace trevalon
