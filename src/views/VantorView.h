#pragma once

#include <QCache>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"
#include "views/TileAnimations.h"

namespace vantor {

class LauncherEventFilter;
class SearchField;
class SearchFieldEffect;

// The launcher's content: the blurred background, the search capsule, the
// page grid with its dots, and the opened folder's panel. It draws what its
// view-model says and forwards every pointer, key and wheel event to it.
class VantorView : public QWidget {
    Q_OBJECT

public:
    VantorView(LauncherModel& model, ApplicationOpener& desktop, MainQueue& mainQueue,
               std::function<void()> dismiss, QWidget* parent = nullptr);

    // Loads what the first showing would otherwise wait for (fonts, the icon
    // theme's index), so the first opening is as quick as later ones.
    static void warmUp();
    ~VantorView() override;

    // The screen behind the window, blurred (for the folder panel's material),
    // and the backmost layers composed from it at this view's size.
    void setBackdrop(QImage blurred, QImage composedBackground);

    // Makes the hidden view ready for another showing, exactly as a new view
    // would start: a fresh view-model calling `dismiss` (page 0, first item,
    // no folder, drag, rename or menu), an empty search field, no hover, the
    // entrance still to play and no backdrop until a new one is given.
    void startShowing(std::function<void()> dismiss);

    LauncherViewModel& viewModel() { return *viewModel_; }
    SearchField* searchField() const { return searchField_; }
    LauncherLayout layout() const;
    // Where a slot of the shown page is drawn, in this widget's coordinates.
    QRectF cellRect(std::int64_t offset) const;
    // The inline field that edits the open folder's name (hidden otherwise).
    QLineEdit* folderNameField() const { return folderNameField_; }
    // The tile menu on screen, if any.
    QMenu* contextMenu() const { return contextMenu_; }

    // Handed the application's key presses and wheel turns before any widget.
    bool handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void handleWheel(const QPoint& angleDelta, const QPoint& pixelDelta, Qt::ScrollPhase phase);

Q_SIGNALS:
    // A frame has been painted (for measuring how soon the launcher shows).
    void framePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Hit {
        enum class Kind {
            none,
            closeButton,
            searchCapsule,
            pageDot,
            pageDotColumn,  // the capsule around the dots: takes a click, does nothing
            slot,
            pageArea,
            folderBackdrop,
            folderPanel,
            folderTitle,
            folderClose,
            folderCell,
            folderDot
        };
        Kind kind = Kind::none;
        std::int64_t index = 0;  // dot page, slot offset or folder cell
    };

    // What the folder panel shows; kept so that the panel can fade out when a
    // drag takes an application out of it.
    struct PanelPicture {
        QString folderID;
        QString title;
        std::vector<std::optional<ApplicationItem>> cells;
        std::int64_t pageCount = 1;
        std::int64_t currentPage = 0;
    };

    // Connects the view-model's effects and changes to this view.
    void wireViewModel();
    Hit hitTest(const QPointF& p) const;
    FolderPanelLayout panelLayout() const;
    // The open folder's title as drawn: elided to fit beside the close button.
    QString folderTitleText(const QString& title) const;
    // Where a click starts editing the name: the title's text, generously.
    QRectF folderTitleRect() const;
    void setUpFolderNameField();
    void syncFolderNameField();
    void placeFolderNameField();
    void showContextMenu(const ContextMenu& menu, const QPoint& globalPosition);
    PanelPicture currentPanelPicture() const;
    // Keeps the open panel's picture, or starts the fade of the last one.
    void followFolderPanel(double now);
    void pressAt(const QPointF& position);
    // The press ends without its release: the pointer grab was taken away or
    // the release went elsewhere. A drag ends as a cancelled one.
    void cancelPress();
    QRectF gridArea() const;
    QPointF toGrid(const QPointF& p) const;
    void viewModelChanged();
    void syncSearchField();
    // The field fades in with the content and lies under an open folder's backdrop.
    void syncSearchFieldLook();
    void syncTileLooks();
    void scheduleFrames();
    void setHoveredTile(const QString& id);

    // A kept picture of a tile: only the part of its content rectangle that
    // shows anything, `offset` (points) from the rectangle's top-left.
    struct TilePicture {
        QPixmap pixmap;
        QPointF offset;
    };
    // The kept picture of a tile at rest (idle, or selected), made now if its
    // icons have loaded.
    const TilePicture* tilePicture(const VantorItem& item, const QRectF& cell,
                                   const GridMetrics& metrics, double ratio, bool selected);
    // Makes the pictures of the pages before and after this one while idle, so
    // a page turn finds them ready.
    void prepareNeighbourPages();
    void scheduleNeighbourPages();

    // Where a tile is drawn while it glides to a new cell or fades in.
    struct Placement {
        AnimatedValue x, y, appear{1};
    };
    static Placement& placeTile(QHash<QString, Placement>& placements, bool snap, const QString& id,
                                QPointF target, double now);
    bool placementsAnimating(double now) const;
    void paintGridTile(QPainter& painter, const VantorItem& item, const QString& id,
                       const QRectF& cell, const GridMetrics& metrics, double ratio);

    void paintBackground(QPainter& painter);
    // The backmost layers without a captured screen, at a size and ratio.
    static QPixmap plainBackground(QSize size, double ratio);
    void paintTopRow(QPainter& painter);
    void paintMainArea(QPainter& painter);
    // `current` is the current page, fractional while the dots spring to a new one.
    void paintPageDots(QPainter& painter, const Rect& column, std::int64_t count, double current,
                       double big, double small, double currentOpacity, double otherOpacity,
                       double spacing, double shadowOpacity);
    // `live`: the open panel (hover, drag and editing looks); else a fading picture.
    void paintFolderOverlay(QPainter& painter, const PanelPicture& picture, bool live);

    // Pictures of idle tiles, redrawn only when their look or size changes.
    // Shared by every showing, so an opening finds the last one's pictures;
    // bounded to three pages, so paging through hundreds of applications
    // keeps memory flat.
    static QCache<QString, TilePicture>& tilePictures();

    // The blurred backdrop, its tint and the dimming, composed once per size.
    QPixmap background_;
    bool neighboursScheduled_ = false;
    std::uint64_t picturesMade_ = 0;
    QHash<QString, Placement> placements_;
    // The next frame puts every tile straight in its cell: after a page turn
    // (the page is replaced whole) and on the first frame.
    bool snapPlacements_ = true;
    // The same for the cells of the folder panel.
    QHash<QString, Placement> folderPlacements_;
    bool snapFolderPlacements_ = true;
    std::optional<PanelPicture> shownPanel_;
    std::optional<PanelPicture> fadingPanel_;
    AnimatedValue panelFade_;

    ApplicationOpener& desktop_;
    MainQueue& mainQueue_;
    std::unique_ptr<LauncherViewModel> viewModel_;
    ChangeNotifier::Subscription subscription_;
    SearchField* searchField_ = nullptr;
    SearchFieldEffect* searchFieldEffect_ = nullptr;
    QLineEdit* folderNameField_ = nullptr;
    QPointer<QMenu> contextMenu_;
    std::unique_ptr<LauncherEventFilter> eventFilter_;
    QImage backdrop_;
    TileAnimations tiles_;
    QTimer frameTimer_;
    QString hoveredTileID_;
    std::optional<std::int64_t> hoveredFolderCell_;
    Hit pressHit_;
    AnimatedValue entrance_;
    AnimatedValue pageOffset_;
    AnimatedValue pageOpacity_{1};
    AnimatedValue folderPageOffset_;
    AnimatedValue folderPageOpacity_{1};
    std::uint64_t seenPageTurn_ = 0;
    std::uint64_t seenFolderPageTurn_ = 0;
    AnimatedValue currentDot_;
    AnimatedValue folderDot_;
};

}  // namespace vantor
