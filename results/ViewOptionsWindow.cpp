#include "results/ViewOptionsWindow.h"

#include "render/LayoutView.h"
#include "render/Palette.h"
#include "render/ViewSettings.h"
#include "taskdb/RunStore.h"
#include "taskdb/SavedViewSettings.h"
#include "ui/Help.h"
#include "ui/TitleBar.h"
#include "ui/WindowTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include <algorithm>

namespace rectix::results {

namespace {

// A track and the label beside it; the language texts write the caption and both hints.
struct TrackDesign {
    const char* name;
    const char* labelName;
    int low, high, position, singleStep, pageStep;
};

// In the window's order, top to bottom; positions as designed (the box colour starts at 2,
// its normal value is 4).
constexpr std::array<TrackDesign, ViewOptionsWindow::trackCount> designs{{
    {"GridTrack", "GridLabel", -4, 4, 0, 1, 1},
    {"MagnTrack", "Label4", 0, 100, 30, 2, 10},
    {"ShiftXTrack", "Label1", -100, 100, 0, 2, 15},
    {"ShiftYTrack", "Label5", -100, 100, 0, 2, 15},
    {"SpaceTrack", "Label9", 0, 8, 1, 1, 1},
    {"LineTrack", "Label10", 0, 4, 1, 1, 1},
    {"PalettTrack", "Label11", 0, 8, 0, 1, 1},
    {"BrightTrack", "Label12", 0, 16, 16, 1, 1},
    {"PartGrTrack", "Label2", 0, 16, 2, 1, 1},
    {"BackGrTrack", "Label13", 0, 16, 2, 1, 1},
}};

constexpr int brightMax = 16;
constexpr int designWidth = 174;

} // namespace

ViewOptionsWindow::ViewOptionsWindow(render::LayoutView& view, taskdb::RunStore& store, QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      view_(view), store_(store) {
    setObjectName(QStringLiteral("TuneForm"));
    setFixedSize(designWidth, 311);
    ui::Help::setContext(this, 7);
    buildControls();
    view_.tracks = tracks();
    connectTracks();
    ui::WindowTexts::global().registerWindow(QStringLiteral("TTuneForm"), this);
}

QSlider* ViewOptionsWindow::makeTrack(Track which, const char* name, int low, int high, int position,
                                      int pageStep) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(low, high);
    slider->setValue(position);
    slider->setPageStep(pageStep);
    slider->setTickPosition(QSlider::NoTicks);
    tracks_[which] = slider;
    return slider;
}

void ViewOptionsWindow::buildControls() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < trackCount; ++i) {
        const TrackDesign& d = designs[static_cast<std::size_t>(i)];
        QSlider* slider = makeTrack(static_cast<Track>(i), d.name, d.low, d.high, d.position, d.pageStep);
        slider->setSingleStep(d.singleStep);
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(d.labelName));
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        labels_[static_cast<std::size_t>(i)] = label;
        grid->addWidget(label, i, 0);
        grid->addWidget(slider, i, 1);
    }

    markKindCheck_ = new QCheckBox(this);
    markKindCheck_->setObjectName(QStringLiteral("MarkKindCheck"));
    orientCheck_ = new QCheckBox(this);
    orientCheck_->setObjectName(QStringLiteral("OrientCheck"));

    normBut_ = new QPushButton(this);
    normBut_->setObjectName(QStringLiteral("NormBut"));
    normBut_->setAutoDefault(false);
    closeBut_ = new QPushButton(this);
    closeBut_->setObjectName(QStringLiteral("CloseBut"));
    closeBut_->setAutoDefault(false);
    connect(normBut_, &QPushButton::clicked, this, [this] { normalTracks(true); });
    connect(closeBut_, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(normBut_);
    buttons->addWidget(closeBut_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    column->addLayout(grid);
    column->addWidget(markKindCheck_);
    column->addWidget(orientCheck_);
    column->addLayout(buttons);
}

void ViewOptionsWindow::connectTracks() {
    auto onChange = [this](Track which, auto apply) {
        connect(tracks_[which], &QSlider::valueChanged, this, apply);
    };
    onChange(GridTrack, [this](int p) {
        view_.tracks.grid = p;
        redraw();
    });
    onChange(MagnTrack, [this](int p) {
        view_.tracks.magn = p;
        view_.magnification = render::magnificationOf(p);
        redraw();
    });
    onChange(ShiftXTrack, [this](int p) {
        view_.tracks.shiftX = p;
        view_.shiftX = static_cast<float>(p * -5);
        redraw();
    });
    onChange(ShiftYTrack, [this](int p) {
        view_.tracks.shiftY = p;
        view_.shiftY = static_cast<float>(p * 3);
        redraw();
    });
    onChange(SpaceTrack, [this](int p) {
        view_.tracks.space = p;
        view_.gapSetting = static_cast<float>(p);
        redraw();
    });
    onChange(LineTrack, [this](int p) {
        view_.tracks.line = p;
        view_.lineWidth = p;
        redraw();
    });
    onChange(PalettTrack, [this](int p) {
        view_.tracks.palett = p;
        view_.paletteIndex = p;
        rebuildPalette();
    });
    onChange(BrightTrack, [this](int p) {
        view_.tracks.bright = p;
        view_.brightness = (brightMax - p) * 2;
        rebuildPalette();
    });
    onChange(PartGrTrack, [this](int p) {
        view_.tracks.partGr = p;
        view_.partGrey = render::backColor(p);
        rebuildPalette();
    });
    onChange(BackGrTrack, [this](int p) {
        view_.tracks.backGr = p;
        view_.backgroundColor = render::backColor(p);
        rebuildPalette();
    });
    connect(markKindCheck_, &QCheckBox::toggled, this, [this](bool on) {
        view_.tracks.markKind = on;
        redraw();
    });
    connect(orientCheck_, &QCheckBox::toggled, this, [this](bool on) {
        view_.tracks.orient = on;
        redraw();
    });
}

void ViewOptionsWindow::setPage(QWidget* page, engine::PackProblem* problem, std::function<void()> redraw) {
    page_ = page;
    problem_ = problem;
    redraw_ = std::move(redraw);
}

void ViewOptionsWindow::rebuildPalette() {
    if (problem_) render::buildPalette(view_, *problem_);
    redraw();
}

// Before the page exists (a task change at start-up) and while it is hidden only the state changes.
void ViewOptionsWindow::redraw() {
    if (page_ && page_->isVisible() && redraw_) redraw_();
}

void ViewOptionsWindow::normGrid() {
    tracks_[GridTrack]->setValue(0);
}

void ViewOptionsWindow::normSizes() {
    tracks_[MagnTrack]->setValue(30);
}

void ViewOptionsWindow::normShift() {
    tracks_[ShiftXTrack]->setValue(0);
    tracks_[ShiftYTrack]->setValue(0);
}

void ViewOptionsWindow::normSpaces() {
    tracks_[SpaceTrack]->setValue(1);
}

void ViewOptionsWindow::normLines() {
    tracks_[LineTrack]->setValue(1);
}

void ViewOptionsWindow::normColors() {
    tracks_[PalettTrack]->setValue(0);
    tracks_[BrightTrack]->setValue(16);
    tracks_[BackGrTrack]->setValue(2);
    tracks_[PartGrTrack]->setValue(4);
}

void ViewOptionsWindow::normalTracks(bool full) {
    if (full) {
        normGrid();
        normSpaces();
        normLines();
        normColors();
        markKindCheck_->setChecked(false);
        orientCheck_->setChecked(false);
    }
    normSizes();
    normShift();
}

void ViewOptionsWindow::screenTracks() {
    render::screenTracks(view_);
}

void ViewOptionsWindow::applySaved(const render::ViewTracks& saved) {
    tracks_[SpaceTrack]->setValue(saved.space);
    tracks_[LineTrack]->setValue(saved.line);
    tracks_[PalettTrack]->setValue(saved.palett);
    tracks_[BrightTrack]->setValue(saved.bright);
    tracks_[BackGrTrack]->setValue(saved.backGr);
    tracks_[PartGrTrack]->setValue(saved.partGr);
    tracks_[GridTrack]->setValue(saved.grid);
    markKindCheck_->setChecked(saved.markKind);
    orientCheck_->setChecked(saved.orient);
}

render::ViewTracks ViewOptionsWindow::savedTracks(const taskdb::SavedViewSettings& saved) {
    render::ViewTracks t;
    if (!saved.saved()) return t;
    const auto within = [](Track track, int position) {
        const TrackDesign& d = designs[static_cast<std::size_t>(track)];
        return std::clamp(position, d.low, d.high);
    };
    t.space = within(SpaceTrack, saved.space);
    t.line = within(LineTrack, saved.line);
    t.palett = within(PalettTrack, saved.palett);
    t.bright = within(BrightTrack, saved.bright);
    t.backGr = within(BackGrTrack, saved.backGr);
    t.partGr = within(PartGrTrack, saved.parts);
    t.grid = within(GridTrack, saved.Grid);
    t.markKind = saved.markKind == 1;
    t.orient = saved.orient == 1;
    return t;
}

render::ViewTracks ViewOptionsWindow::tracks() const {
    render::ViewTracks t;
    t.grid = tracks_[GridTrack]->value();
    t.magn = tracks_[MagnTrack]->value();
    t.shiftX = tracks_[ShiftXTrack]->value();
    t.shiftY = tracks_[ShiftYTrack]->value();
    t.space = tracks_[SpaceTrack]->value();
    t.line = tracks_[LineTrack]->value();
    t.palett = tracks_[PalettTrack]->value();
    t.bright = tracks_[BrightTrack]->value();
    t.partGr = tracks_[PartGrTrack]->value();
    t.backGr = tracks_[BackGrTrack]->value();
    t.markKind = markKindCheck_->isChecked();
    t.orient = orientCheck_->isChecked();
    return t;
}

void ViewOptionsWindow::enableGrid(bool on) {
    tracks_[GridTrack]->setEnabled(on);
    labels_[GridTrack]->setEnabled(on);
}

bool ViewOptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QDialog::eventFilter(watched, event);
    const auto* label = qobject_cast<QLabel*>(watched);
    if (!label || !label->isEnabled() || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    const auto which = static_cast<Track>(std::find(labels_.begin(), labels_.end(), label) - labels_.begin());
    switch (which) {
    case GridTrack:
        normGrid();
        break;
    case MagnTrack:
        normSizes();
        break;
    case ShiftXTrack:
    case ShiftYTrack:
        normShift();
        break;
    case SpaceTrack:
        normSpaces();
        break;
    case LineTrack:
        normLines();
        break;
    case PalettTrack:
    case BrightTrack:
    case PartGrTrack:
    case BackGrTrack:
        normColors();
        break;
    default:
        return false;
    }
    return true;
}

// The design width, or wider where a language's title would be cut in the title bar.
void ViewOptionsWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowTitleChange) return;
    const int right = frameGeometry().right();
    const int width = std::max(designWidth, ui::titleBarWidth(windowTitle()));
    if (width == this->width()) return;
    setFixedWidth(width);
    // Beside the page at the screen's edge, the window grows to the left.
    if (!isVisible()) return;
    move(pos().x() + right - frameGeometry().right(), pos().y());
    keepOnScreen();
}

// A language switched while the window was hidden may have widened it past the screen's edge.
void ViewOptionsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (store_.placementFlags.tuneForm && page_) placeBesidePage();
    keepOnScreen();
}

void ViewOptionsWindow::keepOnScreen() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QRect area = shown->geometry();
    const QRect frame = frameGeometry();
    const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (left != frame.left() || top != frame.top()) move(left, top);
}

// Right of the page, bottom edges aligned, on the screen; the page moves left to make room.
void ViewOptionsWindow::placeBesidePage() {
    const QScreen* screen = page_->screen();
    const int screenWidth = screen ? screen->geometry().width() : 1600;
    QRect page = page_->frameGeometry();
    const QRect own = frameGeometry();
    const int overlap = std::max(0, own.width() - screenWidth + page.left() + page.width());
    page.moveLeft(std::max(-4, page.left() - overlap));
    page_->move(page.topLeft());
    move(std::min(screenWidth - own.width(), page.left() + page.width()),
         page.top() + page.height() - own.height());
    store_.placementFlags.tuneForm = false;
}

} // namespace rectix::results
