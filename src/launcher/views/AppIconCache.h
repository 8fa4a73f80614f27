#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>

#include "model/ApplicationItem.h"

namespace vantor {

// Application icons, made once per application and pixel size and kept for
// the life of the process, so a redraw never reads an icon file again. Icons
// are found and decoded on worker threads: a request for an icon not yet
// loaded starts its loading and gives a null pixmap, and `iconsArrived` is
// emitted on the UI thread once it is there. UI thread only.
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

Q_SIGNALS:
    void iconsArrived();

private:
    AppIconCache() = default;
    void request(const QString& key, const ApplicationItem& application, int points,
                 double devicePixelRatio);
    void arrive(const QString& key, const QImage& image);

    QHash<QString, QPixmap> icons_;
    QSet<QString> pending_;
    QString themeName_;
};

// Finds and decodes an application's icon for `points` × `points` at a device
// pixel ratio, on any thread. The generic application icon when the
// application names none that can be read.
QImage loadApplicationIcon(const ApplicationItem& application, int points, double devicePixelRatio,
                           const QString& themeName);

}  // namespace vantor
