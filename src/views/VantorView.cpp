#include "views/VantorView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "views/AppIconCache.h"
#include "views/Painting.h"
#include "views/SearchField.h"
#include "views/SearchFieldEffect.h"

namespace vantor {
namespace {

// Starts the settle animation of a page turn the first time the turn is seen.
void followPageTurn(const PageTurn& turn, std::uint64_t& seenSerial, AnimatedValue& offset,
                    AnimatedValue& opacity, double now) {
    if (turn.serial == seenSerial) {
        return;
    }
    seenSerial = turn.serial;
    double seconds = static_cast<double>(turn.animation.duration.count()) / 1000;
    offset.setNow(turn.startOffset);
    opacity.setNow(turn.startOpacity);
    offset.setTarget(0, Easing::easeOut(seconds), now);
    opacity.setTarget(1, Easing::easeOut(seconds), now);
}

int keyCodeFor(int qtKey, Qt::KeyboardModifiers modifiers) {
    switch (qtKey) {
        case Qt::Key_F2:
            return key_code::f2;
        case Qt::Key_Menu:
            return key_code::contextMenu;
        case Qt::Key_F10:
            return (modifiers & Qt::ShiftModifier) ? key_code::contextMenu : -1;
        case Qt::Key_Return:
            return key_code::returnKey;
        case Qt::Key_Enter:
            return key_code::keypadEnter;
        case Qt::Key_Escape:
            return key_code::escape;
        case Qt::Key_Left:
            return key_code::leftArrow;
        case Qt::Key_Right:
            return key_code::rightArrow;
        case Qt::Key_Down:
            return key_code::downArrow;
        case Qt::Key_Up:
            return key_code::upArrow;
        default:
            return -1;
    }
}

WheelPhase wheelPhaseFor(Qt::ScrollPhase phase) {
    switch (phase) {
        case Qt::ScrollBegin:
            return WheelPhase::began;
        case Qt::ScrollUpdate:
            return WheelPhase::changed;
        case Qt::ScrollEnd:
            return WheelPhase::ended;
        case Qt::ScrollMomentum:
            return WheelPhase::momentum;
        default:
            return WheelPhase::none;
    }
}

}  // namespace

// Sees the application's key presses and wheel turns before any widget does.
// Qt hands one press to the window and then to the focused widget; acting at
// the window alone keeps each press from being handled twice.
class LauncherEventFilter : public QObject {
public:
    explicit LauncherEventFilter(VantorView* view) : view_(view) {}

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!view_ || !receiver->isWindowType() ||
            static_cast<QWindow*>(receiver) != view_->window()->windowHandle()) {
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            return view_->handleKeyPress(key->key(), key->modifiers());
        }
        if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            view_->handleWheel(wheel->angleDelta(), wheel->pixelDelta(), wheel->phase());
        }
        return false;
    }

private:
    QPointer<VantorView> view_;
};

VantorView::VantorView(LauncherModel& model, ApplicationOpener& desktop, MainQueue& mainQueue,
                       std::function<void()> dismiss, QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      mainQueue_(mainQueue),
      viewModel_(
          std::make_unique<LauncherViewModel>(model, desktop, mainQueue, std::move(dismiss))),
      eventFilter_(std::make_unique<LauncherEventFilter>(this)) {
    setMouseTracking(true);
    // Every frame starts by covering the whole view with its background (the
    // blurred desktop, or the dark fill) as it is, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::StrongFocus);

    searchField_ = new SearchField(this);
    searchField_->setObjectName(QStringLiteral("VantorSearchField"));
    searchField_->setPlaceholderText(QStringLiteral("搜索应用"));
    searchField_->setFrame(false);
    searchField_->setFont(interfaceFont(18, QFont::Normal));
    searchField_->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = searchField_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::PlaceholderText, white(0.55));
    palette.setColor(QPalette::Highlight, white(0.3));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    searchField_->setPalette(palette);
    searchField_->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    setFocusProxy(searchField_);
    searchFieldEffect_ = new SearchFieldEffect(searchField_);
    searchField_->setGraphicsEffect(searchFieldEffect_);
    connect(searchField_, &QLineEdit::textEdited, this,
            [this](const QString& text) { viewModel_->model().setQuery(text.toStdString()); });

    setUpFolderNameField();
    wireViewModel();

    // Icons load off the UI thread; each arrival repaints (Qt merges the
    // repaints) and lets the pictures of the neighbour pages that waited for
    // it be made, without waiting for a paint.
    connect(&AppIconCache::shared(), &AppIconCache::iconsArrived, this, [this] {
        update();
        scheduleNeighbourPages();
    });

    frameTimer_.setInterval(16);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        syncSearchFieldLook();
        // While only the grid moves (a page turn, a tile's look, a glide),
        // the rest of the window stays as drawn and is not painted again.
        double now = tiles_.now();
        if (entrance_.isAnimating(now) || panelFade_.isAnimating(now) || fadingPanel_ ||
            viewModel_->folderOverlay() != nullptr) {
            update();
        } else {
            QRectF dots = toQt(layout().pageDotColumn(viewModel_->pageCount()));
            update(gridArea().united(dots.adjusted(-12, -12, 12, 12)).toAlignedRect());
        }
        scheduleFrames();
    });
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
    tiles_ = TileAnimations();
    hoveredTileID_.clear();
    hoveredFolderCell_.reset();
    placements_.clear();
    folderPlacements_.clear();
    snapPlacements_ = true;
    snapFolderPlacements_ = true;
    shownPanel_.reset();
    fadingPanel_.reset();
    panelFade_ = AnimatedValue();
    entrance_ = AnimatedValue();
    pageOffset_ = AnimatedValue();
    pageOpacity_ = AnimatedValue(1);
    folderPageOffset_ = AnimatedValue();
    folderPageOpacity_ = AnimatedValue(1);
    seenPageTurn_ = 0;
    seenFolderPageTurn_ = 0;
    currentDot_ = AnimatedValue();
    folderDot_ = AnimatedValue();
    frameTimer_.stop();
    // The desktop behind may have changed: the plain fill until a new capture.
    backdrop_ = QImage();
    background_ = QPixmap();
    viewModelChanged();
}

void VantorView::warmUp() {
    // Laying out text once loads the fonts (the CJK one is large) and their caches.
    QImage scratch(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (auto [size, weight] : {std::pair{13.5, QFont::Medium}, std::pair{13.5, QFont::DemiBold},
                                std::pair{18.0, QFont::Normal}, std::pair{25.0, QFont::DemiBold},
                                std::pair{13.0, QFont::Medium}}) {
        painter.setFont(interfaceFont(size, weight));
        painter.drawText(QPointF(0, 20), QStringLiteral("搜索应用 文件夹 Aa 0"));
    }
    // The search field's style sheet is parsed, and its style made, on first use.
    QLineEdit field;
    field.setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    field.setPlaceholderText(QStringLiteral("搜索应用"));
    field.resize(200, 32);
    QImage fieldPicture(field.size(), QImage::Format_ARGB32_Premultiplied);
    field.render(&fieldPicture);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        plainBackground(screen->geometry().size(), screen->devicePixelRatio());
    }
    AppIconCache::warmUp();
    // The first screen capture of a process sets up its connection to the
    // server and costs several times a later one: take a pixel now.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        QGuiApplication::primaryScreen() != nullptr) {
        QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 1, 1);
    }
}

VantorView::~VantorView() {
    qApp->removeEventFilter(eventFilter_.get());
}

void VantorView::setBackdrop(QImage blurred, QImage composedBackground) {
    backdrop_ = std::move(blurred);
    // Moved in, so the pixmap takes the image's pixels rather than a copy.
    background_ = QPixmap::fromImage(std::move(composedBackground));
    update();
}

LauncherLayout VantorView::layout() const {
    return LauncherLayout::forWindow({double(width()), double(height())});
}

QRectF VantorView::gridArea() const {
    return toQt(layout().mainArea);
}

QPointF VantorView::toGrid(const QPointF& p) const {
    return p - gridArea().topLeft();
}

QRectF VantorView::cellRect(std::int64_t offset) const {
    QRectF area = gridArea();
    auto layoutShape = viewModel_->pageLayout();
    auto metrics = viewModel_->gridMetrics({area.width(), area.height()});
    Rect cell = metrics.cellRect(offset % layoutShape.columns, offset / layoutShape.columns);
    return toQt(cell).translated(area.topLeft());
}

// ---- Events in ----------------------------------------------------------

bool VantorView::handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers) {
    // While an input method composes, its keys confirm or cancel the text
    // being composed, or move within it: they are not the launcher's.
    if (searchField_->isComposing()) {
        return false;
    }
    int code = keyCodeFor(qtKey, modifiers);
    return viewModel_->handleKeyDown(code);
}

void VantorView::handleWheel(const QPoint& angleDelta, const QPoint& pixelDelta,
                             Qt::ScrollPhase phase) {
    WheelInput input{angleDelta.x(), angleDelta.y(), double(pixelDelta.x()), double(pixelDelta.y()),
                     wheelPhaseFor(phase)};
    viewModel_->handleScrollWheel(scrollEventFromWheel(input));
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
    snapPlacements_ = true;
    snapFolderPlacements_ = true;
    placeFolderNameField();
    QRectF capsule = toQt(layout().searchCapsule);
    double left = capsule.left() + 18 + 18 + 10;
    searchField_->setGeometry(
        QRectF(left, capsule.center().y() - 16, capsule.right() - 18 - left, 32).toRect());
    syncSearchFieldLook();
}

VantorView::Hit VantorView::hitTest(const QPointF& p) const {
    using Kind = Hit::Kind;
    if (const FolderOverlay* folder = viewModel_->folderOverlay()) {
        auto panel = FolderPanelLayout::forWindow({double(width()), double(height())});
        Point point = toPoint(p);
        bool inPanel = panel.panel.contains(point);
        if (inPanel && toQt(panel.closeButton).adjusted(-4, -4, 4, 4).contains(p)) {
            return {Kind::folderClose};
        }
        if (inPanel && folderTitleRect().contains(p)) {
            return {Kind::folderTitle};
        }
        // A folder of very many pages has a dot column taller than its panel.
        if (auto page = panel.pageDotAt(point, folder->pageCount())) {
            return {Kind::folderDot, *page};
        }
        if (panel.pageDotColumnContains(point, folder->pageCount())) {
            return {Kind::folderPanel};
        }
        if (!inPanel) {
            return {Kind::folderBackdrop};
        }
        if (auto cell = panel.cellAt(point)) {
            return {Kind::folderCell, *cell};
        }
        return {Kind::folderPanel};
    }
    auto l = layout();
    if (toQt(l.closeButton).adjusted(-4, -4, 4, 4).contains(p)) {
        return {Kind::closeButton};
    }
    if (toQt(l.searchCapsule).contains(p)) {
        return {Kind::searchCapsule};
    }
    QRectF area = gridArea();
    if (!area.contains(p)) {
        return {};
    }
    auto& model = viewModel_->model();
    if (model.isLoading() && model.applications().empty()) {
        return {Kind::pageArea};
    }
    if (auto page = l.pageDotAt(toPoint(p), viewModel_->pageCount())) {
        return {Kind::pageDot, *page};
    }
    if (l.pageDotColumnContains(toPoint(p), viewModel_->pageCount())) {
        return {Kind::pageDotColumn};
    }
    auto metrics = viewModel_->gridMetrics({area.width(), area.height()});
    auto slots = viewModel_->pageSlots();
    for (const auto& slot : slots) {
        QRectF cell = cellRect(slot.offset);
        double height = std::max(metrics.cellHeight, slot.item ? 108.0 : 96.0);
        QRectF hit(cell.left(), cell.center().y() - height / 2, cell.width(), height);
        if (hit.contains(p)) {
            return {Kind::slot, slot.offset};
        }
    }
    return {Kind::pageArea};
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
                              toPoint(toGrid(position)));
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
            viewModel_->movePointer(toPoint(toGrid(p)), {area.width(), area.height()});
        } else if (pressHit_.kind == Hit::Kind::folderCell) {
            // Window coordinates: the drag may leave the panel for the grid.
            viewModel_->moveFolderPointer(toPoint(p), {double(width()), double(height())});
            // The cell under the press holds other applications as they move.
            if (hoveredFolderCell_ && viewModel_->draggedFolderApplicationID()) {
                tiles_.setFolderCellHovered(*hoveredFolderCell_, false);
                hoveredFolderCell_.reset();
            }
        }
        return;
    }
    Hit hit = hitTest(p);
    if (viewModel_->folderOverlay() != nullptr) {
        std::optional<std::int64_t> cell;
        if (hit.kind == Hit::Kind::folderCell) {
            cell = hit.index;
        }
        if (cell != hoveredFolderCell_) {
            if (hoveredFolderCell_) {
                tiles_.setFolderCellHovered(*hoveredFolderCell_, false);
            }
            if (cell) {
                tiles_.setFolderCellHovered(*cell, true);
            }
            hoveredFolderCell_ = cell;
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
            if (id != hoveredTileID_) {
                viewModel_->hoverSlot(slot, true);
            }
        }
    }
    setHoveredTile(id);
}

void VantorView::setHoveredTile(const QString& id) {
    if (id == hoveredTileID_) {
        return;
    }
    if (!hoveredTileID_.isEmpty()) {
        tiles_.setHovered(hoveredTileID_, false);
    }
    if (!id.isEmpty()) {
        tiles_.setHovered(id, true);
    }
    hoveredTileID_ = id;
    scheduleFrames();
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
    if (released.kind != pressed.kind || released.index != pressed.index) {
        return;
    }
    using Kind = Hit::Kind;
    switch (released.kind) {
        case Kind::none:
        case Kind::pageArea:
        case Kind::closeButton:
            viewModel_->dismiss();
            break;
        case Kind::pageDot:
            viewModel_->tapPageDot(released.index);
            break;
        case Kind::folderBackdrop:
        case Kind::folderClose:
            viewModel_->closeFolder();
            break;
        case Kind::folderDot:
            viewModel_->tapFolderPageDot(released.index);
            break;
        case Kind::folderTitle:
            viewModel_->beginRenamingFolder();
            break;
        default:
            break;
    }
}

bool VantorView::event(QEvent* event) {
    if (event->type() == QEvent::UngrabMouse || event->type() == QEvent::WindowDeactivate) {
        cancelPress();  // no release will follow
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        Hit hit = hitTest(help->pos());
        QString text;
        if (hit.kind == Hit::Kind::closeButton || hit.kind == Hit::Kind::folderClose) {
            text = QStringLiteral("关闭");
        } else if (hit.kind == Hit::Kind::pageDot || hit.kind == Hit::Kind::folderDot) {
            text = QStringLiteral("第 %1 页").arg(hit.index + 1);
        }
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

// ---- State out ------------------------------------------------------------

void VantorView::viewModelChanged() {
    double now = tiles_.now();
    entrance_.setTarget(viewModel_->contentVisible() ? 1 : 0, Easing::spring(0.32, 0.9), now);
    if (viewModel_->pageTurn().serial != seenPageTurn_) {
        snapPlacements_ = true;  // a turn replaces the page whole
        followPageTurn(viewModel_->pageTurn(), seenPageTurn_, pageOffset_, pageOpacity_, now);
    }
    currentDot_.setTarget(
        static_cast<double>(std::min(viewModel_->currentPage(), viewModel_->pageCount() - 1)),
        Easing::spring(0.24, 1), now);
    if (const FolderOverlay* folder = viewModel_->folderOverlay()) {
        followPageTurn(folder->pageTurn(), seenFolderPageTurn_, folderPageOffset_,
                       folderPageOpacity_, now);
        // The dots spring to a new page, but a panel just opened shows its page at once.
        auto page = static_cast<double>(std::min(folder->currentPage(), folder->pageCount() - 1));
        if (shownPanel_) {
            folderDot_.setTarget(page, Easing::spring(0.24, 1), now);
        } else {
            folderDot_.setNow(page);
        }
    } else {
        seenFolderPageTurn_ = 0;
        hoveredFolderCell_.reset();
    }
    followFolderPanel(now);
    syncFolderNameField();
    syncSearchField();
    syncSearchFieldLook();
    syncTileLooks();
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
    double now = tiles_.now();
    double visible = entrance_.value(now);
    bool folderOpen = viewModel_->folderOverlay() != nullptr;
    // The folder's backdrop, as paintFolderOverlay lays it, fading with a panel that fades.
    double dim = 0.18 * (folderOpen ? 1 : fadingPanel_ ? panelFade_.value(now) : 0);
    QPointF center = QPointF(rect().center()) - QPointF(searchField_->pos());
    searchFieldEffect_->setLook(visible, 0.985 + 0.015 * visible, center, dim);
    // Under an open folder a click on the field is a click on the backdrop.
    searchField_->setAttribute(Qt::WA_TransparentForMouseEvents, folderOpen);
}

void VantorView::syncTileLooks() {
    QStringList shown;
    for (const auto& slot : viewModel_->pageSlots()) {
        if (!slot.item) {
            continue;
        }
        QString id = QString::fromStdString(slot.id());
        shown.push_back(id);
        tiles_.setSelected(id, viewModel_->isSelected(slot));
        tiles_.setFolderTarget(id, viewModel_->isFolderDropTarget(slot));
        tiles_.setDragging(id, viewModel_->isDragging(slot));
    }
    if (!hoveredTileID_.isEmpty() && !shown.contains(hoveredTileID_)) {
        hoveredTileID_.clear();
    }
    for (int cell = 0; cell < 12; ++cell) {
        shown.push_back(TileAnimations::folderCellID(cell));
    }
    tiles_.forgetAllBut(shown);
}

void VantorView::scheduleFrames() {
    double now = tiles_.now();
    auto& model = viewModel_->model();
    bool animating = tiles_.isAnimating() || entrance_.isAnimating(now) ||
                     pageOffset_.isAnimating(now) || pageOpacity_.isAnimating(now) ||
                     currentDot_.isAnimating(now) || folderDot_.isAnimating(now) ||
                     folderPageOffset_.isAnimating(now) || panelFade_.isAnimating(now) ||
                     placementsAnimating(now) ||
                     (model.isLoading() && model.applications().empty());
    if (animating && !frameTimer_.isActive()) {
        frameTimer_.start();
    } else if (!animating && frameTimer_.isActive()) {
        frameTimer_.stop();
        syncSearchFieldLook();  // the look at the animations' end
        update();
    }
}

}  // namespace vantor
