// How fast the launcher opens, paints and turns pages, and what it costs in
// memory. Run under Xvfb (see scripts/bench-launcher.sh): it opens real windows.
#include <benchmark/benchmark.h>

#include <time.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <iostream>
#include <memory>
#include <vector>

#include "adapters/qt/QtDesktopServices.h"
#include "adapters/qt/QtMainQueue.h"
#include "app/LauncherWindow.h"
#include "app/MemoryReturn.h"
#include "base/FileDefaultsStore.h"
#include "discovery/ApplicationDiscovery.h"
#include "hotcorner/HotCornerMonitor.h"
#include "launcher/LauncherPresentation.h"
#include "model/LauncherModel.h"
#include "model/ThreadBackgroundWorker.h"
#include "shell/BenchSupport.h"
#include "views/AppIconCache.h"
#include "views/SearchField.h"
#include "views/VantorView.h"

namespace vantor::bench {
namespace {

// The program's pieces, as the tray program wires them.
struct Launcher {
    Launcher()
        : store(FileDefaultsStore::defaultPath()),
          model(store, {&scanInstalledApplications, &worker, &queue}),
          monitor(store, desktop, queue),
          factory(model, desktop, queue),
          presentation(model, monitor, factory, queue) {}

    // Milliseconds from the trigger to the first painted frame.
    double open() {
        QElapsedTimer timer;
        timer.start();
        presentation.showVantor(*desktop.mainScreen());
        lastShowCallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        bool painted = false;
        // The view outlives this call (the window is kept between showings).
        auto connection =
            QObject::connect(factory.currentWindow()->view(), &VantorView::framePainted,
                             [&painted] { painted = true; });
        while (!painted) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        QObject::disconnect(connection);
        return elapsed;
    }
    void close() {
        presentation.hideVantor();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 250) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    void waitForScan() {
        while (model.isLoading() || !model.hasLoadedApplications()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    }
    VantorView* view() { return factory.currentWindow()->view(); }

    // How long the trigger's own call took, before the event loop painted.
    double lastShowCallMs = 0;

    FileDefaultsStore store;
    QtMainQueue queue;
    QtDesktopServices desktop;
    ThreadBackgroundWorker worker;
    LauncherModel model;
    HotCornerMonitor monitor;
    LauncherWindowFactory factory;
    LauncherPresentation presentation;
};

Launcher* launcher = nullptr;

// CPU time of the calling thread, in milliseconds: what a frame cost this
// program, apart from the time other programs held the processor.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void BM_FirstOpening(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(launcher->open() / 1000);
    }
    launcher->waitForScan();
    settle(300);
    launcher->close();
}
BENCHMARK(BM_FirstOpening)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A rescan of every application folder, from the request to the result installed.
void BM_Scan(benchmark::State& state) {
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        launcher->model.reload();
        launcher->waitForScan();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_Scan)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WarmOpening(benchmark::State& state) {
    double showCall = 0;
    for (auto _ : state) {
        state.SetIterationTime(launcher->open() / 1000);
        showCall += launcher->lastShowCallMs;
        state.PauseTiming();
        settle(200);
        launcher->close();
        state.ResumeTiming();
    }
    state.counters["show_call_ms"] = showCall / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WarmOpening)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// Resident memory after every page has been shown once. Measured before the
// painting at a doubled pixel ratio (the last benchmark), which keeps icons and pictures of
// that ratio too, as no single screen would.
void BM_MemoryAfterEveryPage(benchmark::State& state) {
    launcher->model.setPageSize(35);
    for (auto _ : state) {
        launcher->open();
        settle(300);
        VantorView* view = launcher->view();
        auto& viewModel = view->viewModel();
        for (std::int64_t page = 0; page < viewModel.pageCount(); ++page) {
            viewModel.tapPageDot(page);
            view->repaint();
            settle(250);
            view->repaint();
        }
        launcher->close();
    }
    state.counters["applications"] = static_cast<double>(launcher->model.applications().size());
    state.counters["resident_MiB"] = residentMemoryMiB();
    state.counters["cached_icons"] = AppIconCache::cachedCount();
}
BENCHMARK(BM_MemoryAfterEveryPage)->Iterations(1)->Unit(benchmark::kMillisecond);

// Painting one full page into an image of the window's size at a pixel ratio.
void paintPage(benchmark::State& state, int pageSize, QSize size, double ratio) {
    launcher->model.setPageSize(pageSize);
    launcher->open();
    settle(400);
    VantorView* view = launcher->view();
    view->resize(size);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // Icons at this size are loaded before timing: a warm launcher is measured.
    for (int i = 0; i < 3; ++i) {
        view->render(&image);
        settle(300);
    }
    for (auto _ : state) {
        view->render(&image);
    }
    launcher->close();
}

void BM_PaintPage35At1080p(benchmark::State& state) {
    paintPage(state, 35, QSize(1920, 1080), 1);
}
BENCHMARK(BM_PaintPage35At1080p)->Unit(benchmark::kMillisecond);

// Every frame of a page turn, painted as the window does; reports the slowest.
void BM_PageTurnFrames(benchmark::State& state) {
    launcher->model.setPageSize(35);
    launcher->open();
    settle(400);
    VantorView* view = launcher->view();
    double slowest = 0;
    double slowestCpu = 0;
    int frames = 0;
    for (auto _ : state) {
        view->viewModel().goToNextPage();
        if (view->viewModel().currentPage() == view->viewModel().pageCount() - 1) {
            view->viewModel().tapPageDot(0);
        }
        QElapsedTimer animation;
        animation.start();
        while (animation.elapsed() < 260) {
            QElapsedTimer frame;
            frame.start();
            double cpuBefore = threadCpuMs();
            view->repaint();
            double ms = static_cast<double>(frame.nsecsElapsed()) / 1e6;
            slowest = std::max(slowest, ms);
            slowestCpu = std::max(slowestCpu, threadCpuMs() - cpuBefore);
            ++frames;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 4);
        }
    }
    state.counters["slowest_frame_ms"] = slowest;
    state.counters["slowest_frame_cpu_ms"] = slowestCpu;
    state.counters["frames"] = frames;
    launcher->close();
}
BENCHMARK(BM_PageTurnFrames)->Iterations(6)->Unit(benchmark::kMillisecond);

// Times every paint of the view, whatever asked for it.
class PaintClock : public QObject {
public:
    explicit PaintClock(VantorView* view) : view_(view) {
        view->installEventFilter(this);
        QObject::connect(view, &VantorView::framePainted, this, [this] {
            if (!painting_) {
                return;
            }
            painting_ = false;
            slowest = std::max(slowest, static_cast<double>(wall_.nsecsElapsed()) / 1e6);
            slowestCpu = std::max(slowestCpu, threadCpuMs() - cpuStart_);
            ++frames;
        });
    }
    ~PaintClock() override { view_->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == view_ && event->type() == QEvent::Paint) {
            painting_ = true;
            wall_.start();
            cpuStart_ = threadCpuMs();
        }
        return false;
    }

    double slowest = 0;
    double slowestCpu = 0;
    int frames = 0;

private:
    VantorView* view_;
    QElapsedTimer wall_;
    double cpuStart_ = 0;
    bool painting_ = false;
};

// The same turns with the frames paced as the window paces them (its 16 ms
// frame timer), the event loop free in between, as on screen; every paint of
// the view counts, including those that icons arriving ask for.
void BM_PageTurnFramesPaced(benchmark::State& state) {
    launcher->model.setPageSize(35);
    launcher->open();
    settle(400);
    VantorView* view = launcher->view();
    {
        PaintClock clock(view);  // gone before the view is
        for (auto _ : state) {
            view->viewModel().goToNextPage();
            if (view->viewModel().currentPage() == view->viewModel().pageCount() - 1) {
                view->viewModel().tapPageDot(0);
            }
            settle(400);
        }
        state.counters["slowest_frame_ms"] = clock.slowest;
        state.counters["slowest_frame_cpu_ms"] = clock.slowestCpu;
        state.counters["frames"] = clock.frames;
    }
    launcher->close();
}
BENCHMARK(BM_PageTurnFramesPaced)->Iterations(6)->Unit(benchmark::kMillisecond);

// One key typed into the search field, to the next frame painted: the query
// grows a letter at a time, then is cleared, as a person types.
void BM_SearchKeystroke(benchmark::State& state) {
    launcher->model.setPageSize(35);
    launcher->open();
    settle(400);
    VantorView* view = launcher->view();
    const QString typed = QStringLiteral("system");
    int length = 0;
    double slowest = 0;
    for (auto _ : state) {
        length = length % static_cast<int>(typed.size()) + 1;
        bool painted = false;
        auto connection =
            QObject::connect(view, &VantorView::framePainted, [&painted] { painted = true; });
        QElapsedTimer timer;
        timer.start();
        view->searchField()->setText(typed.left(length));
        while (!painted) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        QObject::disconnect(connection);
        slowest = std::max(slowest, ms);
        state.SetIterationTime(ms / 1000);
        state.PauseTiming();
        settle(30);
        state.ResumeTiming();
    }
    state.counters["slowest_ms"] = slowest;
    view->searchField()->clear();
    launcher->close();
}
BENCHMARK(BM_SearchKeystroke)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

// Resident memory over many showings, each searching, turning two pages and
// opening and closing a folder: what a launcher that stays resident keeps.
void BM_SteadyMemory(benchmark::State& state, int showings) {
    launcher->model.setPageSize(35);
    if (!launcher->model.hasLoadedApplications() && !launcher->model.isLoading()) {
        launcher->model.reload();  // run alone: nothing has scanned yet
    }
    launcher->waitForScan();
    if (launcher->model.folders().empty()) {
        const auto& items = launcher->model.topLevelItems();
        launcher->model.createFolderByDroppingItem(items.at(1).id(), items.at(0).id());
    }
    // A screen image of 8 MiB is alive at some moments between showings and
    // not at others: each figure is the median of the last ten showings.
    std::vector<double> recent;
    auto median = [&recent] {
        std::vector<double> sorted = recent;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    };
    double at20 = 0;
    for (auto _ : state) {
        for (int showing = 1; showing <= showings; ++showing) {
            launcher->open();
            VantorView* view = launcher->view();
            auto& viewModel = view->viewModel();
            view->searchField()->setText(QStringLiteral("te"));
            settle(20);
            view->searchField()->clear();
            settle(20);
            for (int turn = 0; turn < 2; ++turn) {
                viewModel.goToNextPage();
                settle(40);
            }
            viewModel.tapPageDot(0);
            settle(20);
            for (const auto& item : launcher->model.topLevelItems()) {
                if (item.isFolder()) {
                    viewModel.open(item);
                    break;
                }
            }
            settle(40);
            viewModel.closeFolder();
            settle(20);
            launcher->presentation.hideVantor();
            settle(60);
            recent.push_back(residentMemoryMiB());
            if (recent.size() > 10) {
                recent.erase(recent.begin());
            }
            if (showing == 20) {
                at20 = median();
            }
            if (showing % 100 == 0) {  // the path between, to tell a leak from a filling cache
                state.counters["resident_MiB_" + std::to_string(showing)] = median();
            }
        }
    }
    state.counters["resident_MiB_20th"] = at20;
    state.counters["resident_MiB_last"] = median();
    state.counters["showings"] = showings;
}

void BM_PaintPage63At4KScale2(benchmark::State& state) {
    paintPage(state, 63, QSize(1920, 1080), 2);
}
BENCHMARK(BM_PaintPage63At4KScale2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantor::bench

int main(int argc, char** argv) {
    int applications = 500;
    if (const char* count = std::getenv("VANTOR_BENCH_APPLICATIONS")) {
        applications = std::atoi(count);
    }
    vantor::bench::BenchHome home(applications);
    vantor::returnLargeBuffersWhenFreed();  // as the tray program does
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // A large theme of the user's choice (Papirus for the 1,500-application fixture).
    if (const char* theme = std::getenv("VANTOR_BENCH_ICON_THEME")) {
        QIcon::setThemeName(QString::fromUtf8(theme));
    }
    // Hundreds of showings take minutes: only when asked for.
    const char* showingsText = std::getenv("VANTOR_BENCH_SHOWINGS");
    if (int showings = showingsText != nullptr ? std::atoi(showingsText) : 0; showings > 0) {
        benchmark::RegisterBenchmark("BM_SteadyMemory", vantor::bench::BM_SteadyMemory, showings)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    vantor::bench::Launcher launcher;
    vantor::bench::launcher = &launcher;
    // As the tray program does once its event loop runs, well before any trigger.
    vantor::VantorView::warmUp();
    vantor::bench::settle(500);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
