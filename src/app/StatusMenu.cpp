#include "app/StatusMenu.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>

#include "adapters/x11/X11TrayArrival.h"
#include "hotcorner/CornerSource.h"
#include "model/LauncherModel.h"

namespace vantor {
namespace {

constexpr auto trayName = "Tolvane";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A title as a menu entry shows it: "&" marks a mnemonic there, "&&" is an "&".
QString menuText(const QString& title) {
    QString text = title;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The title an entry shows, as the user reads it.
QString shownTitle(const QString& text) {
    QString title;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                title += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        title += text[i];
    }
    return title;
}

// A three-by-three grid of filled squares, drawn at each size a tray may ask for.
QIcon gridIcon() {
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // Light squares with a thin dark rim read on dark and light panels alike.
        painter.setPen(QPen(QColor(0, 0, 0, 110), std::max(1.0, side / 24.0)));
        painter.setBrush(QColor(240, 240, 240));
        double gap = side / 10.0;
        double margin = side / 10.0;
        double cell = (side - 2 * margin - 2 * gap) / 3;
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                QRectF square(margin + column * (cell + gap), margin + row * (cell + gap), cell,
                              cell);
                painter.drawRoundedRect(square, cell * 0.18, cell * 0.18);
            }
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

StatusMenu::StatusMenu(CornerSource& monitor, LauncherModel& model, MainQueue& mainQueue,
                       Actions actions)
    : monitor_(monitor),
      model_(model),
      actions_(std::move(actions)),
      // The model announces before it changes: look once it has, on a later turn.
      hiddenCheck_(mainQueue, [this] { checkHiddenListing(); }) {
    modelSubscription_ = model_.observe([this] { hiddenCheck_.request(); });
}

StatusMenu::~StatusMenu() = default;

bool StatusMenu::setupStatusItem() {
    trayIcon_ = std::make_unique<QSystemTrayIcon>(gridIcon());
    trayIcon_->setToolTip(trayName);
    menu_ = makeMenu();
    trayIcon_->setContextMenu(menu_.get());
    // A left click opens the same menu, as the right click does.
    connect(trayIcon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger && menu_) {
                    menu_->popup(QCursor::pos());
                }
            });
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayIcon_->show();
        return true;
    }
    // Only an X server's tray can appear later to a running program (Qt picks
    // its other kind, a D-Bus tray, once, when the icon is made).
    trayArrival_ = x11::TrayArrival::connect();
    if (!trayArrival_) {
        return false;
    }
    trayWatch_ = new QSocketNotifier(trayArrival_->fd(), QSocketNotifier::Read, this);
    connect(trayWatch_, &QSocketNotifier::activated, this, [this] {
        if (trayArrival_->readArrival() && QSystemTrayIcon::isSystemTrayAvailable()) {
            trayIcon_->show();
            trayWatch_->setEnabled(false);
            trayWatch_->deleteLater();
            trayWatch_ = nullptr;
            trayArrival_.reset();
        }
    });
    return false;
}

std::unique_ptr<QMenu> StatusMenu::makeMenu() {
    auto menu = std::make_unique<QMenu>();
    menu->setAccessibleName(trayName);

    QAction* show = menu->addAction(QStringLiteral("显示Vantor"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(show, &QAction::triggered, this, [this] { actions_.showVantor(); });

    QAction* reload = menu->addAction(QStringLiteral("重新扫描应用"));
    reload->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(reload, &QAction::triggered, this, [this] { actions_.reloadApplications(); });

    menu->addSeparator();

    QMenu* corners = menu->addMenu(QStringLiteral("触发角"));
    HotCorner selected = monitor_.selectedCorner();
    for (HotCorner corner : allHotCorners) {
        QAction* action = corners->addAction(qs(title(corner)));
        action->setCheckable(true);
        action->setChecked(corner == selected);
        action->setData(qs(rawValue(corner)));
        connect(action, &QAction::triggered, this, [this, corner] { selectCorner(corner); });
    }

    QMenu* sizes = menu->addMenu(QStringLiteral("每页数量"));
    for (int size : LauncherModel::pageSizeOptions) {
        QAction* action = sizes->addAction(QStringLiteral("%1 个").arg(size));
        action->setCheckable(true);
        action->setChecked(size == model_.pageSize());
        action->setData(size);
        connect(action, &QAction::triggered, this, [this, size] { selectPageSize(size); });
    }

    QMenu* arrangement = menu->addMenu(QStringLiteral("排列方式"));
    for (bool byName : {false, true}) {
        QAction* action =
            arrangement->addAction(byName ? QStringLiteral("按名称") : QStringLiteral("自由排列"));
        action->setCheckable(true);
        action->setChecked(byName == model_.arrangedByName());
        connect(action, &QAction::triggered, this, [this, byName] {
            model_.setArrangedByName(byName);
            model_.flushSettings();
            rebuildMenu();
        });
    }

    QMenu* hidden = menu->addMenu(QStringLiteral("已隐藏的应用"));
    listedHidden_ = hiddenListing();
    for (const auto& [id, name] : listedHidden_) {
        QAction* action = hidden->addAction(menuText(QString::fromStdString(name)));
        connect(action, &QAction::triggered, this, [this, id = id] {
            model_.showApplication(CanonicalString(id));
            rebuildMenu();
        });
    }
    if (listedHidden_.empty()) {
        hidden->addAction(QStringLiteral("无"))->setEnabled(false);
    }

    QAction* login = menu->addAction(QStringLiteral("登录时启动"));
    login->setCheckable(true);
    bool canChoose = actions_.startsAtLogin && actions_.setStartsAtLogin;
    login->setEnabled(canChoose);
    login->setChecked(canChoose && actions_.startsAtLogin());
    // What the user saw decides: a click on a checked entry turns it off.
    connect(login, &QAction::triggered, this, [this](bool checked) {
        actionError_ = qs(actions_.setStartsAtLogin(checked));
        rebuildMenu();
    });

    menu->addSeparator();

    QAction* quit = menu->addAction(QStringLiteral("退出"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, [this] { actions_.quit(); });
    return menu;
}

void StatusMenu::selectCorner(HotCorner corner) {
    monitor_.setSelectedCorner(corner);
    rebuildMenu();
}

void StatusMenu::selectPageSize(int pageSize) {
    model_.setPageSize(pageSize);
    rebuildMenu();
}

void StatusMenu::storedValuesChanged() {
    if (!retryOnceMenuCloses(&StatusMenu::rebuildMenu)) {
        rebuildMenu();
    }
}

bool StatusMenu::retryOnceMenuCloses(void (StatusMenu::*retry)()) {
    if (!menu_ || !menu_->isVisible()) {
        return false;
    }
    // Replacing a menu under the user's pointer would snatch it away.
    connect(
        menu_.get(), &QMenu::aboutToHide, this,
        [this, retry] { QTimer::singleShot(0, this, [this, retry] { (this->*retry)(); }); },
        Qt::SingleShotConnection);
    return true;
}

StatusMenu::Outcome StatusMenu::triggerEntry(const QString& path) {
    if (!menu_) {
        menu_ = makeMenu();
    }
    // The first "/" alone separates: application titles may hold one.
    qsizetype slash = path.indexOf(QLatin1Char('/'));
    const QStringList titles =
        slash < 0 ? QStringList{path} : QStringList{path.left(slash), path.mid(slash + 1)};
    QMenu* current = menu_.get();
    for (qsizetype depth = 0; depth < titles.size(); ++depth) {
        QAction* found = nullptr;
        for (QAction* action : current->actions()) {
            if (!action->isSeparator() && shownTitle(action->text()) == titles[depth]) {
                found = action;
                break;
            }
        }
        bool last = depth == titles.size() - 1;
        if (found != nullptr && found->menu() != nullptr && last) {
            const QList<QAction*> entries = found->menu()->actions();
            QString example = entries.isEmpty() ? QString() : shownTitle(entries[0]->text());
            return {false, QStringLiteral("\"%1\" is a submenu: name one of its entries, such "
                                          "as \"%1/%2\"")
                               .arg(path, example)};
        }
        if (found == nullptr || (found->menu() == nullptr && !last)) {
            break;
        }
        if (!found->isEnabled()) {
            return {false, QStringLiteral("the menu entry \"%1\" cannot be chosen now").arg(path)};
        }
        if (!last) {
            current = found->menu();
            continue;
        }
        actionError_.clear();
        found->trigger();
        return {actionError_.isEmpty(), std::exchange(actionError_, {})};
    }
    return {false, QStringLiteral("no such menu entry \"%1\"").arg(path)};
}

StatusMenu::HiddenListing StatusMenu::hiddenListing() const {
    HiddenListing listing;
    for (const auto& application : model_.hiddenApplications()) {
        listing.emplace_back(application.id.raw(), application.name);
    }
    return listing;
}

void StatusMenu::checkHiddenListing() {
    if (!menu_ || hiddenListing() == listedHidden_ ||
        retryOnceMenuCloses(&StatusMenu::checkHiddenListing)) {
        return;
    }
    rebuildMenu();
}

void StatusMenu::rebuildMenu() {
    auto fresh = makeMenu();
    if (trayIcon_) {
        trayIcon_->setContextMenu(fresh.get());
    }
    // The old menu may be the one whose action is running: let it go later.
    if (menu_) {
        menu_.release()->deleteLater();
    }
    menu_ = std::move(fresh);
}

}  // namespace vantor
