#pragma once

#include "render/ViewTracks.h"
#include "taskdb/ViewOptionsView.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace rectix::engine {
class PackProblem;
}

namespace rectix::taskdb {
struct RunStore;
struct SavedViewSettings;
} // namespace rectix::taskdb

namespace rectix::render {
struct LayoutView;
}

namespace rectix::results {

// The view options: a small tool window beside the layout page whose ten tracks and two check
// boxes tune the picture at once (size, shifts, gaps, lines, colour set, light, box and
// background greys, grid, kind names, turn signs); a click on a track's label resets its group.
// Created once at start-up, before the data module, which resets size and shifts through it
// when the current task changes. Every change sets the view state; the picture is redrawn only
// while the layout page is shown.
class ViewOptionsWindow : public QDialog, public taskdb::ViewOptionsView {
    Q_OBJECT
  public:
    enum Track {
        GridTrack,
        MagnTrack,
        ShiftXTrack,
        ShiftYTrack,
        SpaceTrack,
        LineTrack,
        PalettTrack,
        BrightTrack,
        PartGrTrack,
        BackGrTrack,
        trackCount
    };

    ViewOptionsWindow(render::LayoutView& view, taskdb::RunStore& store, QWidget* owner = nullptr);

    // The layout page: the window places itself beside it, redraws it, and rebuilds the kind
    // colours of its problem.
    void setPage(QWidget* page, engine::PackProblem* problem, std::function<void()> redraw);

    // With full every group to its normal value and both check boxes unchecked; always size
    // and shifts.
    void normalTracks(bool full) override;
    // Size, shifts and gaps of the view state from their tracks.
    void screenTracks();
    // The saved settings: the seven saved tracks (each brought into its range) and the two check
    // boxes; size and shifts are not saved.
    void applySaved(const render::ViewTracks& saved);
    render::ViewTracks tracks() const;
    // The tracks as the layout page's creation leaves them: the normal values, then the settings
    // file's saved view settings where it saved any, each position brought into its track's range.
    static render::ViewTracks savedTracks(const taskdb::SavedViewSettings& saved);

    // The grid track and its label, usable in the single view only.
    void enableGrid(bool on);

    // Label resets.
    void normGrid();
    void normSizes();
    void normShift();
    void normSpaces();
    void normLines();
    void normColors();

    QSlider* track(Track which) const { return tracks_[which]; }
    QCheckBox* markKindCheck() const { return markKindCheck_; }
    QCheckBox* orientCheck() const { return orientCheck_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSlider* makeTrack(Track which, const char* name, int low, int high, int position, int pageStep);
    void buildControls();
    void connectTracks();
    void rebuildPalette();
    void redraw();
    void placeBesidePage();
    // Moves the whole window onto its screen, the left and top edges first.
    void keepOnScreen();

    render::LayoutView& view_;
    taskdb::RunStore& store_;
    QPointer<QWidget> page_;
    engine::PackProblem* problem_ = nullptr;
    std::function<void()> redraw_;
    std::array<QSlider*, trackCount> tracks_{};
    std::array<QLabel*, trackCount> labels_{};
    QCheckBox* markKindCheck_ = nullptr;
    QCheckBox* orientCheck_ = nullptr;
    QPushButton* normBut_ = nullptr;
    QPushButton* closeBut_ = nullptr;
};

} // namespace rectix::results
