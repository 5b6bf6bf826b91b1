#pragma once

#include <QDialog>
#include <QTimer>

#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

namespace rectix::engine {
class PackProblem;
}

namespace rectix::taskdb {
struct RunStore;
}

namespace rectix::render {
struct LayoutView;
}

namespace rectix::results {

class LayoutImage;
class ReportForms;
class ViewOptionsWindow;

// The layout page: the plan in the problem's result record as an overview of the loaded
// containers or one container alone, its loading sequence step by step or animated, the area
// and weight chart, and the properties of a box clicked in the picture. Shown modally by the
// task page and the solution page once the record holds the plan of the task shown; created once
// and hidden when closed. It takes the view options window as its tool window.
class LayoutWindow : public QDialog {
    Q_OBJECT
  public:
    // Resets the view options in full; the saved view settings are applied after.
    LayoutWindow(render::LayoutView& view, engine::PackProblem& problem, ViewOptionsWindow& options,
                 taskdb::RunStore& store, QWidget* owner = nullptr);
    ~LayoutWindow() override;

    // Container navigation.
    void singleButtonClick();
    void prevButtonClick();
    void nextButtonClick();
    // Loading sequence of the single container.
    void oneButtonClick();
    void minButtonClick();
    void plsButtonClick();
    void sumButtonClick();
    // Starts the animation; while it runs, each click makes it a third faster.
    void fillButtonClick();
    void timer2Timer();
    void diagButtonClick();
    void tuneButtonClick();
    // Prints the picture in the print colours; the screen picture comes back on every path.
    void printButtonClick();
    // The report forms the picture prints with; Print stays disabled without them.
    void setReports(ReportForms* reports);
    // Right button: the view options shown or closed; any other picks the box under (x, y).
    void image1MouseDown(Qt::MouseButton button, QPoint at);

    // The picture, or the chart in chart mode, drawn anew.
    void redraw();

    LayoutImage* image() const { return image_; }
    const QTimer& fillTimer() const { return timer2_; }

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void buildControls();
    // Captions and hints the language texts write are left empty here.
    QPushButton* button(const char* name, const QString& caption = {}, bool bold = false);
    void formShow();
    void formClose();
    void stopFillTimer();
    void setNavigationCaptions();
    void enableSequenceButtons(bool on);
    void enableContainerButtons(bool on);
    void showChartOrLayout();
    // Navigation's common end: the captions, the sequence buttons and the picture.
    void afterNavigation();
    std::int16_t boxLoad(std::int16_t container) const;

    render::LayoutView& view_;
    engine::PackProblem& problem_;
    ViewOptionsWindow& options_;
    taskdb::RunStore& store_;
    ReportForms* reports_ = nullptr;
    std::int32_t fillInterval_ = 1000; // the animation's starting interval, ms
    QTimer timer2_;

    QFrame* panel1_ = nullptr;
    LayoutImage* image_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* oneButton_ = nullptr;
    QPushButton* minButton_ = nullptr;
    QPushButton* plsButton_ = nullptr;
    QPushButton* fillButton_ = nullptr;
    QPushButton* sumButton_ = nullptr;
    QPushButton* prevButton_ = nullptr;
    QPushButton* singleButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* tuneButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* diagButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace rectix::results
