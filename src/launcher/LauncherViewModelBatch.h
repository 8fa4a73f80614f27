#pragma once

#include "launcher/LauncherViewModel.h"

namespace vantor {

// Opened by every entry point of the view-model. The outermost one re-reads
// the model first (a model change may not have been looked at yet) and, when
// it closes, tells the observers once if anything changed. The view-model may
// be gone by then (dismiss can destroy it), so it checks first.
class LauncherViewModel::Batch {
public:
    explicit Batch(LauncherViewModel& viewModel) : viewModel_(viewModel), alive_(viewModel.alive_) {
        if (viewModel_.batchDepth_++ == 0) {
            viewModel_.syncWithModel();
        }
    }
    ~Batch() {
        if (alive_.expired()) {
            return;
        }
        if (--viewModel_.batchDepth_ != 0) {
            return;
        }
        viewModel_.rememberSelection();
        if (viewModel_.changed_) {
            viewModel_.changed_ = false;
            viewModel_.changes_.notify();
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    LauncherViewModel& viewModel_;
    std::weak_ptr<bool> alive_;
};

}  // namespace vantor
