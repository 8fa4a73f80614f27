#include "views/VantorView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "views/AppIconCache.h"
#include "views/BackdropCapture.h"
#include "views/FolderPanelPainter.h"
#include "views/InputTranslation.h"
#include "views/Painting.h"
#include "views/SearchField.h"
#include "views/TileMenu.h"

namespace vantor {

VantorView::VantorView(LauncherModel& model, ApplicationOpener& desktop, MainQueue& mainQueue,
                       std::function<void()> dismiss, QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      mainQueue_(mainQueue),
      viewModel_(
          std::make_unique<LauncherViewModel>(model, desktop, mainQueue, std::move(dismiss))),
      eventFilter_(std::make_unique<WindowInputFilter>(
          this,
          [this](int key, Qt::KeyboardModifiers modifiers) {
              return handleKeyPress(key, modifiers);
          },
          [this](const QPoint& angle, const QPoint& pixel, Qt::ScrollPhase phase) {
              handleWheel(angle, pixel, phase);
          })) {
    setMouseTracking(true);
    // Every frame starts by covering the whole view with its background (the
    // blurred desktop, or the dark fill) as it is, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::StrongFocus);
    searchField_ = new SearchField(this);
    setFocusProxy(searchField_);
    connect(searchField_, &QLineEdit::textEdited, this,
            [this](const QString& text) { viewModel_->model().setQuery(text.toStdString()); });
    folderNameField_ = new FolderNameField(
        this, [this](std::string text) { return viewModel_->setFolderNameDraft(std::move(text)); });
    wireViewModel();

    // Icons load off the UI thread; each arrival repaints (Qt merges the
    // repaints) and lets the pictures of the neighbour pages that waited for
    // it be made, without waiting for a paint.
    connect(&AppIconCache::shared(), &AppIconCache::iconsArrived, this, [this] {
        update();
        scheduleNeighbourPages();
    });

    frameTimer_.setInterval(16);
    connect(&frameTimer_, &QTimer::timeout, this, &VantorView::nextFrame);
    syncSearchField();
    syncSearchFieldLook();
}

void VantorView::wireViewModel() {
    viewModel_->setSearchFieldFocusRequest([this] {
        searchField_->setFocus(Qt::OtherFocusReason);
        viewModel_->setSearchFieldFocused(true);
    });
    viewModel_->setContextMenuRequest([this](const ContextMenu& menu) {
        showContextMenu(menu, mapToGlobal(cellRect(menu.cell).center().toPoint()));
    });
    subscription_ = viewModel_->observe([this] { viewModelChanged(); });
}

void VantorView::startShowing(std::function<void()> dismiss) {
    // What the last showing left on screen or under way goes first: its menu,
    // the name field, a press, and its view-model with every decision it held.
    if (contextMenu_) {
        contextMenu_->close();
        contextMenu_->deleteLater();
        contextMenu_ = nullptr;
    }
    folderNameField_->hide();
    folderNameField_->clear();
    searchField_->clearAll();
    pressHit_ = {};
    subscription_.reset();
    viewModel_ = std::make_unique<LauncherViewModel>(viewModel_->model(), desktop_, mainQueue_,
                                                     std::move(dismiss));
    wireViewModel();
    // The looks start over: no hover, no glide, no panel, the entrance to play.
    motion_ = ViewMotion();
    frameTimer_.stop();
    // The desktop behind may have changed: the plain fill until a new capture.
    grid_.setBackdrop({}, {});
    viewModelChanged();
}

void VantorView::warmUp() {
    GridPainter::warmUp();
    SearchField::warmUp();
    AppIconCache::warmUp();
    warmUpScreenCapture();
}

VantorView::~VantorView() {
    qApp->removeEventFilter(eventFilter_.get());
}

void VantorView::setBackdrop(QImage blurred, QImage composedBackground) {
    grid_.setBackdrop(std::move(blurred), std::move(composedBackground));
    update();
}

LauncherLayout VantorView::layout() const {
    return LauncherLayout::forWindow({double(width()), double(height())});
}

QRectF VantorView::gridArea() const {
    return toQt(layout().mainArea);
}

QRectF VantorView::cellRect(std::int64_t offset) const {
    QRectF area = gridArea();
    return gridCellRect(viewModel_->gridMetrics({area.width(), area.height()}),
                        viewModel_->pageLayout().columns, offset, area);
}

// ---- Painting -------------------------------------------------------------

void VantorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    grid_.paint(painter, size(), *viewModel_);
    FolderPanelPainter::paint(painter, size(), grid_.backdrop(), *viewModel_, motion_);
    // Also between the frames of an animation: a few pictures at a time leave
    // each frame its time.
    scheduleNeighbourPages();
    Q_EMIT framePainted();
}

void VantorView::scheduleNeighbourPages() {
    pictures_.prepareSoon(this, [this] {
        auto& model = viewModel_->model();
        return isVisible() && !(model.isLoading() && model.applications().empty()) &&
               pictures_.prepareNeighbourPages(*viewModel_, gridArea(), devicePixelRatioF());
    });
}

void VantorView::nextFrame() {
    syncSearchFieldLook();
    // While only the grid moves (a page turn, a tile's look, a glide),
    // the rest of the window stays as drawn and is not painted again.
    if (motion_.movesBeyondGrid() || viewModel_->openFolder() != nullptr) {
        update();
    } else {
        QRectF dots = toQt(layout().pageDots(viewModel_->pageCount()).bounds);
        update(gridArea().united(dots.adjusted(-12, -12, 12, 12)).toAlignedRect());
    }
    scheduleFrames();
}

void VantorView::scheduleFrames() {
    auto& model = viewModel_->model();
    bool animating = motion_.isAnimating() || (model.isLoading() && model.applications().empty());
    if (animating && !frameTimer_.isActive()) {
        frameTimer_.start();
    } else if (!animating && frameTimer_.isActive()) {
        frameTimer_.stop();
        syncSearchFieldLook();  // the look at the animations' end
        update();
    }
}

// ---- Events in ----------------------------------------------------------

bool VantorView::handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers) {
    // While an input method composes, its keys confirm or cancel the text
    // being composed, or move within it: they are not the launcher's.
    if (searchField_->isComposing()) {
        return false;
    }
    return viewModel_->handleKeyDown(launcherKeyCode(qtKey, modifiers));
}

void VantorView::handleWheel(const QPoint& angleDelta, const QPoint& pixelDelta,
                             Qt::ScrollPhase phase) {
    viewModel_->handleScrollWheel(launcherScrollEvent(angleDelta, pixelDelta, phase));
}

void VantorView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    qApp->installEventFilter(eventFilter_.get());
    // The field is the window's focus widget from the first frame on, so keys
    // that arrive while the window is still being activated land in it.
    searchField_->setFocus(Qt::OtherFocusReason);
    viewModel_->appear();
}

void VantorView::hideEvent(QHideEvent* event) {
    cancelPress();
    qApp->removeEventFilter(eventFilter_.get());
    viewModel_->disappear();
    QWidget::hideEvent(event);
}

void VantorView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    motion_.snapPlacements();
    folderNameField_->place(size());
    searchField_->place(toQt(layout().searchCapsule));
    syncSearchFieldLook();
}

VantorView::Hit VantorView::hitTest(const QPointF& p) const {
    Size window{double(width()), double(height())};
    QRectF title;
    if (const OpenFolder* folder = viewModel_->openFolder()) {
        title = FolderPanelPainter::titleRect(QString::fromStdString(folder->item().title()),
                                              FolderPanelLayout::forWindow(window));
    }
    auto scene = LauncherHitScene::of(*viewModel_, window,
                                      {title.x(), title.y(), title.width(), title.height()});
    return hitTestLauncher(toPoint(p), scene);
}

void VantorView::mousePressEvent(QMouseEvent* event) {
    // A click anywhere but in the name field keeps the name being typed.
    viewModel_->commitFolderRename();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    viewModel_->pointerPressed(1);
    pressAt(event->position());
}

void VantorView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The first click of the pair has acted already; the view-model lets
    // this one act on nothing, whatever lies under it now.
    viewModel_->pointerPressed(2);
    pressAt(event->position());
}

void VantorView::pressAt(const QPointF& position) {
    // A press whose release never came ends before the new one starts.
    cancelPress();
    pressHit_ = hitTest(position);
    if (pressHit_.kind == Hit::Kind::slot) {
        auto slots = viewModel_->pageSlots();
        viewModel_->pressSlot(slots.at(static_cast<size_t>(pressHit_.index)),
                              toPoint(position - gridArea().topLeft()));
    } else if (pressHit_.kind == Hit::Kind::folderCell) {
        viewModel_->pressFolderCell(pressHit_.index, toPoint(position));
    }
}

void VantorView::cancelPress() {
    pressHit_ = {};
    viewModel_->cancelPointer();
}

void VantorView::mouseMoveEvent(QMouseEvent* event) {
    QPointF p = event->position();
    if (!(event->buttons() & Qt::LeftButton) &&
        (pressHit_.kind == Hit::Kind::slot || pressHit_.kind == Hit::Kind::folderCell)) {
        // The button is up, yet its release never reached this view.
        cancelPress();
    }
    if (event->buttons() & Qt::LeftButton) {
        if (pressHit_.kind == Hit::Kind::slot) {
            QRectF area = gridArea();
            viewModel_->movePointer(toPoint(p - area.topLeft()), {area.width(), area.height()});
        } else if (pressHit_.kind == Hit::Kind::folderCell) {
            // Window coordinates: the drag may leave the panel for the grid.
            viewModel_->moveFolderPointer(toPoint(p), {double(width()), double(height())});
            // The cell under the press holds other applications as they move.
            if (viewModel_->draggedFolderApplicationID()) {
                motion_.dropFolderCellHover();
            }
        }
        return;
    }
    Hit hit = hitTest(p);
    if (viewModel_->openFolder() != nullptr) {
        std::optional<std::int64_t> cell;
        if (hit.kind == Hit::Kind::folderCell) {
            cell = hit.index;
        }
        if (motion_.setHoveredFolderCell(cell)) {
            scheduleFrames();
        }
        return;
    }
    QString id;
    if (hit.kind == Hit::Kind::slot) {
        auto slots = viewModel_->pageSlots();
        const auto& slot = slots.at(static_cast<size_t>(hit.index));
        if (slot.item) {
            id = QString::fromStdString(slot.id());
            if (id != motion_.hoveredTileID()) {
                viewModel_->hoverSlot(slot, true);
            }
        }
    }
    setHoveredTile(id);
}

void VantorView::setHoveredTile(const QString& id) {
    if (motion_.setHoveredTile(id)) {
        scheduleFrames();
    }
}

void VantorView::leaveEvent(QEvent* event) {
    setHoveredTile({});
    QWidget::leaveEvent(event);
}

void VantorView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    Hit pressed = std::exchange(pressHit_, Hit{});
    if (pressed.kind == Hit::Kind::slot || pressed.kind == Hit::Kind::folderCell) {
        viewModel_->releasePointer();
        return;
    }
    Hit released = hitTest(event->position());
    // A tap is a press and release on the same thing.
    if (released != pressed) {
        return;
    }
    tapLauncher(released, *viewModel_);
}

bool VantorView::event(QEvent* event) {
    if (event->type() == QEvent::UngrabMouse || event->type() == QEvent::WindowDeactivate) {
        cancelPress();  // no release will follow
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        Hit hit = hitTest(help->pos());
        QString text = toolTipText(hit);
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

// ---- Editing ---------------------------------------------------------------

void VantorView::syncFolderNameField() {
    bool editing = viewModel_->isRenamingFolder() && viewModel_->openFolder() != nullptr;
    if (folderNameField_->follow(editing, viewModel_->folderNameDraft(), size())) {
        viewModel_->setSearchFieldFocused(false);
    }
}

void VantorView::showContextMenu(const ContextMenu& menu, const QPoint& globalPosition) {
    if (contextMenu_) {
        contextMenu_->close();
    }
    contextMenu_ =
        popUpTileMenu(this, menu, globalPosition, [this, menu](const ContextMenuEntry& chosen) {
            viewModel_->chooseContextMenuEntry(menu, chosen.action, chosen.target);
        });
}

void VantorView::contextMenuEvent(QContextMenuEvent* event) {
    // The keyboard's menu key reaches the view-model through the key filter.
    if (event->reason() != QContextMenuEvent::Mouse) {
        return;
    }
    if (auto menu = contextMenuAt(hitTest(event->pos()), *viewModel_)) {
        showContextMenu(*menu, event->globalPos());
    }
}

// ---- State out ------------------------------------------------------------

void VantorView::viewModelChanged() {
    motion_.follow(*viewModel_);
    syncFolderNameField();
    syncSearchField();
    syncSearchFieldLook();
    motion_.syncTileLooks(*viewModel_);
    update();
    scheduleFrames();
}

void VantorView::syncSearchField() {
    QString query = QString::fromStdString(viewModel_->model().query());
    if (searchField_->text() != query) {
        searchField_->setText(query);
    }
}

void VantorView::syncSearchFieldLook() {
    double now = motion_.now();
    bool folderOpen = viewModel_->openFolder() != nullptr;
    // The folder's backdrop, as the panel's painter lays it, fading with a panel that fades.
    searchField_->setLook(motion_.entrance().value(now), motion_.folderDim(folderOpen, now));
    // Under an open folder a click on the field is a click on the backdrop.
    searchField_->setAttribute(Qt::WA_TransparentForMouseEvents, folderOpen);
}

}  // namespace vantor
