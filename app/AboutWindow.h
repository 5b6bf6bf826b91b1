#pragma once

#include <QDialog>

class QCheckBox;

namespace rectix::app {

// The About window. It carries the program's two user options, both checked at every start and
// never saved: "Prompts" switches the hints of every window, "warnings" lets the program ask its
// confirmations.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* owner = nullptr);
    ~AboutWindow() override;

    // The "warnings" option at this moment; every confirmation reads it when it would be asked.
    // True while no About window exists, as at start.
    static bool warnings();
    // The "Prompts" option at this moment.
    static bool prompts();

  signals:
    // The user switched "warnings"; the run-time store keeps a copy that the data module reads.
    void warningsChanged(bool on);

  private:
    QCheckBox* hintsCheck_;
    QCheckBox* warnsCheck_;
};

} // namespace rectix::app
