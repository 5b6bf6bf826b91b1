#pragma once

#include <QDialog>

class QCheckBox;

namespace rectix::app {

// The About window. It carries the program's two user options, both checked at every start and
// never saved: "Prompts" switches the hints of every window, "Warnings" lets the program ask its
// confirmations.
class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* owner = nullptr);
    ~TAboutForm() override;

    // The "Warnings" option at this moment; every confirmation reads it when it would be asked.
    // True while no About window exists, as at start.
    static bool warnings();
    // The "Prompts" option at this moment.
    static bool prompts();

  signals:
    // The user switched "Warnings"; the run-time store keeps a copy that the data module reads.
    void warningsChanged(bool on);

  private:
    QCheckBox* hintsCheck_;
    QCheckBox* warnsCheck_;
};

} // namespace rectix::app
