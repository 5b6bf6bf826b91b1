#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

class QWidget;

namespace rectix::ui {

// Help commands as the application's help handler receives them.
enum class HelpCommand : int {
    Context = 1,      // the topic of a context number (the data)
    Quit = 2,         // close every help window
    ContextPopup = 8, // the topic of a context number, as a pop-up
    Key = 257,        // the index, for a keyword (the data)
};

// The application's help: help context numbers on windows and controls, the F1 key (help at the
// nearest context; nothing where there is none), and the one handler that every help request
// goes to.
class Help : public QObject {
    Q_OBJECT
  public:
    // Returns true when the request was handled.
    using Handler = std::function<bool(HelpCommand command, long data)>;

    // The process's help; it watches for F1 from the first call on.
    static Help& global();

    // A widget's own help context; 0 for none.
    static void setContext(QWidget* widget, int context);
    static int ownContext(const QWidget* widget);
    // The context of the widget, else of its nearest parent within its window that has one; 0
    // when none has.
    static int contextOf(const QWidget* widget);

    // Installs the help handler; an empty handler removes it.
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    bool hasHandler() const { return static_cast<bool>(handler_); }

    // Passes a request to the handler; false when there is none.
    bool request(HelpCommand command, long data);
    bool showContext(int context) { return request(HelpCommand::Context, context); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Help() = default;
    // Filters the events of the application object of the moment.
    void watchApplication();

    Handler handler_;
    QPointer<QCoreApplication> watched_;
};

} // namespace rectix::ui
