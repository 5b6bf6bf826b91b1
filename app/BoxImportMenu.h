#pragma once

#include <QObject>

#include <array>
#include <filesystem>

class QAction;
class QFileDialog;
class QMenu;
class QPushButton;

namespace rectix::taskdb {
class DataModule;
struct RunStore;
} // namespace rectix::taskdb

namespace rectix::app {

class LibraryWindow;

// The box library's import: its button and pop-up menu (the two routes, the column order, the
// separators and the header line, kept in the run-time store), the open-file dialog and the
// clipboard route. The import itself is the data layer's; this shows its reports.
class BoxImportMenu : public QObject {
    Q_OBJECT
  public:
    // Joins the window: the button goes into its button row, the menu and dialog become its own.
    BoxImportMenu(LibraryWindow& window, taskdb::DataModule& dm);

    QMenu* menu() const { return menu_; }
    QPushButton* button() const { return button_; }

    // Checks the menu's items from the store.
    void checkItems();
    void impButtonClick();
    void impPopFileClick();
    // The clipboard's text, written unchanged to the paste log first, then imported from it.
    void pasteBoxes();
    // Imports a box import file with the store's options and shows the reports.
    void importBoxesFrom(const std::filesystem::path& file);

    static constexpr const char* folder = "impbox";
    static constexpr const char* pasteLog = "impbox/PasteBoxesLog.txt";

  private:
    // Menu entries named for the language texts, which write their captions.
    QAction* title(const char* name);
    QAction* item(const char* name);

    LibraryWindow& window_;
    taskdb::DataModule& dm_;
    taskdb::RunStore& store_;
    QPushButton* button_;
    QMenu* menu_;
    QFileDialog* openDialog_;
    std::array<QAction*, 4> orders_{};
    std::array<QAction*, 2> separators_{};
    QAction* header_ = nullptr;
};

} // namespace rectix::app
