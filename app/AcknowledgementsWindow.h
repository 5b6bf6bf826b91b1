#pragma once

#include <QDialog>

namespace rectix::app {

// The acknowledgements window: a picture, the thanks to the translators with their names, and a
// Close button.
class AcknowledgementsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AcknowledgementsWindow(QWidget* owner = nullptr);
};

} // namespace rectix::app
