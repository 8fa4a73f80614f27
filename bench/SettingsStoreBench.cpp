// What storing a drag across 30 cells costs the UI thread. Each crossed cell
// sets the two order keys. Writing the whole file and fsyncing it inside every
// set, as the store once did, is compared with handing the changes to the
// writer thread, which the release asks to write at once (without waiting).
//
// The file lives in $VANTOR_BENCH_DIR, else the temporary folder: point it at
// the disk that holds home folders (a tmpfs makes fsync free).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "base/FileDefaultsStore.h"
#include "base/SettingsFile.h"
#include "model/LauncherModel.h"

namespace {

using namespace vantor;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The earlier store: every set replaces the file before it returns.
class WriteOnEverySet : public JsonDefaults {
public:
    explicit WriteOnEverySet(fs::path path) : path_(std::move(path)) {}

protected:
    void didSet(std::string_view) override {
        replaceFileAtomically(path_, values().dump(2) + "\n");
    }

private:
    fs::path path_;
};

// Forwards to a store and adds up the time spent inside it.
class TimedStore : public DefaultsStore {
public:
    explicit TimedStore(DefaultsStore& inner) : inner_(inner) {}

    std::optional<std::vector<std::string>> stringArray(std::string_view key) const override {
        return inner_.stringArray(key);
    }
    std::int64_t integer(std::string_view key) const override { return inner_.integer(key); }
    std::optional<Bytes> data(std::string_view key) const override { return inner_.data(key); }
    std::optional<std::string> string(std::string_view key) const override {
        return inner_.string(key);
    }
    void setStringArray(std::string_view key, const std::vector<std::string>& value) override {
        timed([&] { inner_.setStringArray(key, value); });
    }
    void setInteger(std::string_view key, std::int64_t value) override {
        timed([&] { inner_.setInteger(key, value); });
    }
    void setData(std::string_view key, const Bytes& value) override {
        timed([&] { inner_.setData(key, value); });
    }
    void setString(std::string_view key, const std::string& value) override {
        timed([&] { inner_.setString(key, value); });
    }
    void flush() override {
        timed([&] { inner_.flush(); });
    }

    Clock::duration spent{};

private:
    template <typename F>
    void timed(F f) {
        auto start = Clock::now();
        f();
        spent += Clock::now() - start;
    }
    DefaultsStore& inner_;
};

fs::path benchFolder() {
    const char* chosen = std::getenv("VANTOR_BENCH_DIR");
    std::string pattern =
        ((chosen != nullptr ? fs::path(chosen) : fs::temp_directory_path()) / "vantor-bench-XXXXXX")
            .string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

std::vector<ApplicationItem> applications(int count) {
    std::vector<ApplicationItem> apps;
    for (int i = 0; i < count; ++i) {
        std::string name = "Application " + std::to_string(1000 + i);
        apps.push_back({CanonicalString("/usr/share/applications/" + name + ".desktop"), name,
                        "/usr/share/applications/" + name + ".desktop"});
    }
    return apps;
}

template <typename Store>
void dragAcross30Cells(benchmark::State& state) {
    fs::path folder = benchFolder();
    if (folder.empty()) {
        state.SkipWithError("no folder for the settings file");
        return;
    }
    {
        Store store(folder / "defaults.json");
        TimedStore timed(store);
        LauncherModel model(timed);
        model.applyScanResult(applications(120));
        model.flushSettings();
        Clock::duration moving{};
        Clock::duration releasing{};
        for (auto _ : state) {
            const auto items = model.topLevelItems();
            CanonicalString dragged = items.front().id();
            timed.spent = {};
            for (int cell = 2; cell <= 31; ++cell) {
                model.moveItem(dragged, items.at(static_cast<std::size_t>(cell)).id());
            }
            moving += timed.spent;
            timed.spent = {};
            model.flushSettings();  // the release
            releasing += timed.spent;
        }
        auto perDrag = [&](Clock::duration total) {
            return benchmark::Counter(std::chrono::duration<double, std::milli>(total).count(),
                                      benchmark::Counter::kAvgIterations);
        };
        state.counters["store_ms_moving"] = perDrag(moving);
        state.counters["store_ms_release"] = perDrag(releasing);
        state.counters["store_ms_total"] = perDrag(moving + releasing);
    }
    fs::remove_all(folder);
}

BENCHMARK_TEMPLATE(dragAcross30Cells, WriteOnEverySet)
    ->Name("DragAcross30Cells/WriteOnEverySet")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_TEMPLATE(dragAcross30Cells, FileDefaultsStore)
    ->Name("DragAcross30Cells/WriterThread")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

}  // namespace
