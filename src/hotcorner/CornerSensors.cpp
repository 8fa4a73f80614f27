#include "hotcorner/CornerSensors.h"

namespace vantor {

CornerSensors::CornerSensors(DefaultsStore& userDefaults, DesktopScreens& desktop,
                             MainQueue& mainQueue, SensorSurfaces& surfaces)
    : userDefaults_(userDefaults), desktop_(desktop), mainQueue_(mainQueue), surfaces_(surfaces) {
}

CornerSensors::~CornerSensors() {
    for (auto& [id, output] : outputs_) {
        if (output.reopen) {
            output.reopen->cancel();
        }
    }
}

HotCorner CornerSensors::selectedCorner() const {
    const auto stored = userDefaults_.string(defaults_keys::hotCorner);
    return stored ? hotCornerFromRawValue(*stored).value_or(HotCorner::topLeft)
                  : HotCorner::topLeft;
}

void CornerSensors::setSelectedCorner(HotCorner corner) {
    userDefaults_.setString(defaults_keys::hotCorner, std::string(rawValue(corner)));
    storedCornerChanged();
}

void CornerSensors::storedCornerChanged() {
    HotCorner corner = selectedCorner();
    if (started_ && !ended_ && placedCorner_ != corner) {
        // Every sensor moves, including one whose reopening is pending.
        for (auto& [id, output] : outputs_) {
            removeSensor(output);
            placeSensor(id, output);
        }
        placedCorner_ = corner;
    }
}

void CornerSensors::start() {
    if (started_ || ended_) {
        return;
    }
    started_ = true;
    placedCorner_ = selectedCorner();
    for (auto& [id, output] : outputs_) {
        placeSensor(id, output);
    }
}

void CornerSensors::stop() {
    started_ = false;
    entered_.reset();
    for (auto& [id, output] : outputs_) {
        removeSensor(output);
    }
}

std::optional<ScreenInfo> CornerSensors::preferredScreen() const {
    if (lastEnteredOutput_.empty()) {
        return std::nullopt;
    }
    return screenNamed(lastEnteredOutput_);
}

void CornerSensors::outputAdded(OutputId id) {
    if (ended_ || outputs_.count(id) != 0) {
        return;
    }
    auto& output = outputs_[id];
    if (started_) {
        placeSensor(id, output);
    }
}

void CornerSensors::outputNamed(OutputId id, const std::string& name) {
    if (auto found = outputs_.find(id); found != outputs_.end()) {
        found->second.name = name;
    }
}

void CornerSensors::outputRemoved(OutputId id) {
    auto found = outputs_.find(id);
    if (found == outputs_.end()) {
        return;
    }
    removeSensor(found->second);
    outputs_.erase(found);
}

void CornerSensors::pointerEntered(SurfaceId surface) {
    Output* output = outputWithSensor(surface);
    if (output == nullptr || entered_) {
        return;
    }
    entered_ = surface;
    lastEnteredOutput_ = output->name;
    // Unnamed outputs, or names Qt does not know, still open the launcher
    // somewhere rather than nowhere.
    auto screen = screenNamed(output->name);
    if (!screen) {
        screen = desktop_.mainScreen();
    }
    if (screen && onTrigger) {
        // A copy: the callback may stop these sensors or replace onTrigger.
        auto trigger = onTrigger;
        trigger(*screen);
    }
}

void CornerSensors::pointerLeft(SurfaceId surface) {
    if (entered_ == surface) {
        entered_.reset();
    }
}

void CornerSensors::surfaceClosed(SurfaceId surface) {
    for (auto& [id, output] : outputs_) {
        if (output.sensor != surface) {
            continue;
        }
        removeSensor(output);
        if (started_) {
            output.reopen = mainQueue_.postAfter(reopenDelay, [this, outputId = id] {
                auto found = outputs_.find(outputId);
                if (found != outputs_.end() && started_ && !ended_) {
                    found->second.reopen.reset();
                    placeSensor(outputId, found->second);
                }
            });
        }
        return;
    }
}

void CornerSensors::connectionLost() {
    // The connection's objects died with it: nothing is destroyed through it.
    ended_ = true;
    started_ = false;
    entered_.reset();
    for (auto& [id, output] : outputs_) {
        if (output.reopen) {
            output.reopen->cancel();
        }
    }
    outputs_.clear();
}

void CornerSensors::placeSensor(OutputId id, Output& output) {
    if (!output.sensor && !output.reopen) {
        output.sensor = surfaces_.create(id, selectedCorner());
    }
}

void CornerSensors::removeSensor(Output& output) {
    if (output.reopen) {
        output.reopen->cancel();
        output.reopen.reset();
    }
    if (output.sensor) {
        if (entered_ == output.sensor) {
            entered_.reset();
        }
        surfaces_.destroy(*output.sensor);
        output.sensor.reset();
    }
}

std::optional<ScreenInfo> CornerSensors::screenNamed(const std::string& name) const {
    for (const auto& screen : desktop_.screens()) {
        if (!name.empty() && screen.name == name) {
            return screen;
        }
    }
    return std::nullopt;
}

CornerSensors::Output* CornerSensors::outputWithSensor(SurfaceId surface) {
    for (auto& [id, output] : outputs_) {
        if (output.sensor == surface) {
            return &output;
        }
    }
    return nullptr;
}

}  // namespace vantor
