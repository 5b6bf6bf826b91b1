#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace rectix::ui {

// The help window: HTML pages from one folder (a resource folder such as ":/help" or a folder on
// disk), "index.html" and one "context-N.html" per help context number. A context without a page
// shows the index. Esc closes it, as it closes the program's dialogs.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // The page of a context number, or the index when it has none.
    QUrl pageOf(int context) const;
    QUrl indexPage() const;

    void showContext(int context);
    void showIndex();
    // The page on show.
    QUrl page() const;

  private:
    void showPage(const QUrl& url);

    QString folder_;
    QTextBrowser* browser_;
};

} // namespace rectix::ui
