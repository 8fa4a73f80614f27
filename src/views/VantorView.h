#pragma once

#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "launcher/LauncherHitTest.h"
#include "launcher/LauncherLayout.h"
#include "launcher/LauncherViewModel.h"
#include "views/FolderNameField.h"
#include "views/GridPainter.h"
#include "views/InputTranslation.h"
#include "views/TilePictureCache.h"
#include "views/ViewMotion.h"

namespace vantor {

class LauncherAccessibility;
class SearchField;

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

    // For this showing: the desktop asks for no animations (startShowing
    // forgets it), so every fade, slide and spring jumps to its end.
    void setReducedMotion(bool reduced) { motion_.setReducedMotion(reduced); }

    // Handed the application's key presses and wheel turns before any widget.
    bool handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void handleWheel(const QPoint& angleDelta, const QPoint& pixelDelta, Qt::ScrollPhase phase);
    // A tile's menu at a point of the screen, closing the one open before.
    void showContextMenu(const ContextMenu& menu, const QPoint& globalPosition);

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
    using Hit = LauncherHit;

    // Connects the view-model's effects and changes to this view.
    void wireViewModel();
    Hit hitTest(const QPointF& p) const;
    void syncFolderNameField();
    void pressAt(const QPointF& position);
    // The press ends without its release: the pointer grab was taken away or
    // the release went elsewhere. A drag ends as a cancelled one.
    void cancelPress();
    QRectF gridArea() const;
    void viewModelChanged();
    void syncSearchField();
    // The field fades in with the content and lies under an open folder's backdrop.
    void syncSearchFieldLook();
    // One frame of an animation: only what moves is painted again.
    void nextFrame();
    void scheduleFrames();
    void setHoveredTile(const QString& id);
    // Makes the pictures of the pages before and after this one while idle, a
    // few at a time, so a page turn finds them ready.
    void scheduleNeighbourPages();

    ApplicationOpener& desktop_;
    MainQueue& mainQueue_;
    std::unique_ptr<LauncherViewModel> viewModel_;
    ChangeNotifier::Subscription subscription_;
    // What screen readers see of the painted parts, and what they are told of changes.
    LauncherAccessibility* accessibility_ = nullptr;
    SearchField* searchField_ = nullptr;
    FolderNameField* folderNameField_ = nullptr;
    QPointer<QMenu> contextMenu_;
    std::unique_ptr<WindowInputFilter> eventFilter_;
    QTimer frameTimer_;
    Hit pressHit_;
    ViewMotion motion_;
    TilePictureCache pictures_;
    GridPainter grid_{motion_, pictures_};
};

}  // namespace vantor
