#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>

#include "model/ApplicationItem.h"

namespace vantor {

// Application icons, made once per application and pixel size and kept, so a
// redraw never reads an icon file again. Icons are found and decoded on worker
// threads: a request for an icon not yet loaded starts its loading and gives a
// null pixmap, and `iconsArrived` is emitted on the UI thread once it is there.
// An icon is let go of only when refresh() finds that its file changed (an
// application got another icon, a theme was installed). UI thread only.
class AppIconCache : public QObject {
    Q_OBJECT

public:
    static AppIconCache& shared();

    // The icon at `size` points (rounded to whole points, halves away from
    // zero) for the given device pixel ratio, or a null pixmap while it loads.
    // A missing or unreadable icon loads as the generic application icon.
    static QPixmap icon(const ApplicationItem& application, double size, double devicePixelRatio);

    // The key under which an icon is kept: "<id>#<points>", plus "@<ratio>"
    // when the ratio is not 1.
    static QString key(const ApplicationItem& application, double size, double devicePixelRatio);

    static int cachedCount();
    // Reads the icon theme's index on a worker thread, ahead of the first request.
    static void warmUp();
    // Icons asked for and not yet arrived.
    static int pendingCount();

    // Looks on a worker thread at the file each kept icon came from and loads
    // again those that changed. With `themesChanged` the icon themes are read
    // anew first, so newly installed icons are found.
    static void refresh(bool themesChanged);
    // Counts the replacements of an application's icons: a picture made from
    // its icons is stale once this has moved on.
    static quint64 revision(const ApplicationItem& application);
    // A refresh is running.
    static bool isRefreshing();

Q_SIGNALS:
    void iconsArrived();

private:
    friend QIcon menuEntryIcon(const std::string& icon, int points, double devicePixelRatio);

    struct Kept {
        QPixmap pixmap;
        ApplicationItem application;
        int points = 0;
        double devicePixelRatio = 1;
        QString source;  // the file it came from, its size and change time
    };
    struct Replacement {
        QString key;
        QImage image;
        QString source;
    };

    AppIconCache() = default;
    void request(const QString& key, const ApplicationItem& application, int points,
                 double devicePixelRatio);
    void arrive(const QString& key, const ApplicationItem& application, int points,
                double devicePixelRatio, const QImage& image, const QString& source);
    void startRefresh(bool themesChanged);
    void finishRefresh(const std::vector<Replacement>& replacements);

    QHash<QString, Kept> icons_;
    QSet<QString> pending_;
    QHash<QString, quint64> revisions_;
    QString themeName_;
    bool refreshing_ = false;
    bool refreshAgain_ = false;
    bool themesChangedAgain_ = false;
};

// Finds and decodes an application's icon for `points` × `points` at a device
// pixel ratio, on any thread. The generic application icon when the
// application names none that can be read.
QImage loadApplicationIcon(const ApplicationItem& application, int points, double devicePixelRatio,
                           const QString& themeName);

// A menu entry's icon (a desktop action's Icon key: a file, or a name found in
// the same icon theme as the applications' icons), `points` high; null when
// none can be read. Reads the file at once: for the few entries of one menu.
QIcon menuEntryIcon(const std::string& icon, int points, double devicePixelRatio);

}  // namespace vantor
