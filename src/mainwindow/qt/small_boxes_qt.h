#pragma once
// The main window's small boxes: the picture box `Form4`, the property box `FormProp` (both modeless,
// placed at the top right of the screen, released when closed) and the modal information box `Form8`.

#include <QDialog>
#include <QPointer>

#include "platform/ports.h"

class QLabel;
class QLineEdit;

namespace trevalon {

class QtBoxes : public BoxPort {
  public:
    // `owner`: the main window, over which the boxes stay and whose icon the information box takes.
    explicit QtBoxes(QWidget* owner);
    ~QtBoxes() override;
    QtBoxes(const QtBoxes&) = delete;
    QtBoxes& operator=(const QtBoxes&) = delete;

    std::vector<std::string> pictureFormats() const override;
    bool showImageBox(const std::string& path, const std::string& caption) override;
    void closeImageBox() override;
    void showPropertyBox(const std::string& caption, const std::string& gaussCode, const std::string& indices,
                         const std::string& crossings) override;
    void closePropertyBox() override;
    void showInfoBox(const std::string& caption, const std::vector<std::string>& lines) override;

    // The open boxes, or nullptr.
    QDialog* imageBox() const { return form4_; }
    QDialog* propertyBox() const { return formProp_; }

  private:
    QWidget* owner_;
    QPointer<QDialog> form4_;
    QPointer<QDialog> formProp_;
};

}  // namespace trevalon
