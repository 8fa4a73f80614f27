#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

#include "model/ApplicationItem.h"

namespace vantor {

// Application icons, made once per application and pixel size and kept for
// the life of the process, so a redraw never reads an icon theme again.
class AppIconCache {
public:
    // The icon at `size` points (rounded to whole points, halves away from
    // zero) for the given device pixel ratio. Never fails: an application
    // without a readable icon gets the theme's generic one.
    static QPixmap icon(const ApplicationItem& application, double size, double devicePixelRatio);

    // The key under which an icon is kept: "<id>#<points>", plus "@<ratio>"
    // when the ratio is not 1.
    static QString key(const ApplicationItem& application, double size, double devicePixelRatio);

    static int cachedCount();

private:
    static QHash<QString, QPixmap>& icons();
};

// The icon a desktop entry or bundle names, unrendered; a generic one when it
// names none that can be found.
QIcon applicationIcon(const ApplicationItem& application);

}  // namespace vantor
