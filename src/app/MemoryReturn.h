#pragma once

namespace vantor {

// Makes large buffers go back to the system as soon as they are freed. Called
// once, first thing, by a program that stays resident.
void returnLargeBuffersWhenFreed();

}  // namespace vantor
