#pragma once

#include "launcher/LauncherViewModel.h"

namespace vantor {

// Opened by every entry point of the view-model. The outermost one re-reads
// the model first (a model change may not have been looked at yet) and, when
// it closes, tells the observers once if anything changed. The view-model may
// be gone by then (dismiss can destroy it), so it checks first.
class LauncherViewModel::Batch {
public:
    explicit Batch(LauncherViewModel& viewModel)
        : close_(viewModel.liveness_.guard([&viewModel] { viewModel.closeBatch(); })) {
        if (viewModel.batchDepth_++ == 0) {
            viewModel.syncWithModel();
        }
    }
    ~Batch() { close_(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    // Does nothing once the view-model is gone.
    std::function<void()> close_;
};

}  // namespace vantor
