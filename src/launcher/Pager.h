#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "base/MainQueue.h"
#include "launcher/Animation.h"
#include "launcher/ScrollEvent.h"
#include "launcher/ScrollGesture.h"

namespace vantor {

// Where the grid's paging and an open folder's differ; in nothing else.
struct PagerPolicy {
    // Vertical scrolling (points) that turns a page.
    double swipeThreshold = 0;
    // A plain wheel's gesture ends after this much quiet time.
    MainQueue::Duration scrollResetDelay{0};
    // A turn's settle: its curve, and where the new page starts (points off, opacity).
    EaseOutAnimation animation;
    double turnOffset = 0;
    double turnOpacity = 1;
    // A turn by scrolling or by a dot selects the new page's first item (the
    // grid); a folder's panel has no selection.
    bool turnSelectsFirstItem = false;
    // Contents that shrank leave the page on the last one there is (a
    // folder); the grid may show a page beyond the last for a moment, drawn as
    // the last one, until its selection is pulled back.
    bool staysOnExistingPage = false;
};

inline constexpr PagerPolicy gridPaging{58,
                                        std::chrono::milliseconds(180),
                                        EaseOutAnimation{std::chrono::milliseconds(200)},
                                        24,
                                        0.82,
                                        true,
                                        false};
inline constexpr PagerPolicy folderPaging{52,
                                          std::chrono::milliseconds(180),
                                          EaseOutAnimation{std::chrono::milliseconds(180)},
                                          18,
                                          0.84,
                                          false,
                                          true};

// The page shown of a list cut into pages, turned by scrolling, by keys or by
// page dots: the page, the last turn for the view to animate, and the scroll
// gesture. It takes page counts and knows nothing of what the pages hold.
// Main thread only.
class Pager {
public:
    Pager(MainQueue& mainQueue, const PagerPolicy& policy);

    const PagerPolicy& policy() const { return policy_; }
    std::int64_t page() const { return page_; }
    // The last turn, for the view to animate (serial 0: none yet).
    const PageTurn& pageTurn() const { return pageTurn_; }

    // Shows `page` with the settle feedback. Returns false, changing nothing,
    // for the page already shown.
    bool turnTo(std::int64_t page);
    // Shows `page` at once, without feedback. Returns whether the page changed.
    bool show(std::int64_t page);
    // After the contents changed to `pageCount` pages, as the policy says.
    bool fit(std::int64_t pageCount);
    // The first item of `page` when a turn there selects it (the last item
    // when the page is beyond the items); nothing when turns do not select.
    std::optional<std::int64_t> selectionAfterTurn(std::int64_t page, std::int64_t pageSize,
                                                   std::int64_t itemCount) const;

    // Scroll events count only while the monitor is installed; removing it
    // forgets the gesture and its pending reset.
    void installScrollMonitor() { scrollMonitorInstalled_ = true; }
    void removeScrollMonitor();
    // Feeds one scroll event: the page it turns to, one on or one back, never
    // past the first or the last of `pageCount` pages. The caller turns.
    std::optional<std::int64_t> scrollTarget(const ScrollEvent& event, std::int64_t pageCount);

    double verticalScrollAmount() const { return scrollGesture_.verticalScrollAmount(); }

private:
    PagerPolicy policy_;
    std::int64_t page_ = 0;
    PageTurn pageTurn_;
    bool scrollMonitorInstalled_ = false;
    ScrollGesture scrollGesture_;
};

}  // namespace vantor
