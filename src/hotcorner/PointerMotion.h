#pragma once

#include <functional>

namespace vantor {

// Tells that the pointer moved, as the desktop learns it from its devices, so
// that nothing needs to look while the pointer rests. Main thread only.
class PointerMotion {
public:
    virtual ~PointerMotion() = default;

    // From now on calls onMoved, on a later turn of the main loop, after the
    // pointer moved: once or many times a frame, never while it rests.
    virtual void start(std::function<void()> onMoved) = 0;
    // No more calls until the next start.
    virtual void stop() = 0;
};

}  // namespace vantor
