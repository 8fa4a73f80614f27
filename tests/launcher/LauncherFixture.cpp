#include "launcher/LauncherFixture.h"

#include <functional>
#include <map>
#include <sstream>

#include "launcher/LauncherLayout.h"

namespace vantor::launcher_test {

namespace {

const Size dragGrid{1200, 600};

// "App 03" for "app:/Applications/App 03.app", wherever it appears.
std::string shortened(std::string text) {
    for (const std::string cut : {"app:/Applications/", ".app"}) {
        for (auto at = text.find(cut); at != std::string::npos; at = text.find(cut)) {
            text.erase(at, cut.size());
        }
    }
    return text;
}

}  // namespace

std::string appName(int number) {
    return (number < 10 ? "App 0" : "App ") + std::to_string(number);
}

std::vector<ApplicationItem> numberedApps(int count, int skipFrom, int skipTo) {
    std::vector<ApplicationItem> apps;
    for (int i = 0; i < count; ++i) {
        if (i < skipFrom || i >= skipTo) {
            apps.push_back(testing::app(appName(i)));
        }
    }
    return apps;
}

std::vector<std::string> appNames(const std::vector<int>& numbers) {
    std::vector<std::string> names;
    for (int number : numbers) {
        names.push_back(appName(number));
    }
    return names;
}

LauncherViewModel& LauncherScene::show() {
    viewModel_ =
        std::make_unique<LauncherViewModel>(model_, desktop_, queue_, [this] { ++dismissCount_; });
    viewModel_->appear();
    queue_.runPending();
    return *viewModel_;
}

void LauncherScene::play(const std::vector<Step>& steps) {
    for (const auto& [action, expected] : steps) {
        SCOPED_TRACE(action);
        act(action);
        if (!expected.empty()) {
            EXPECT_EQ(state(), expected);
        }
    }
}

Point LauncherScene::cellPoint(const std::string& where, std::int64_t cell) const {
    auto layout = vm().pageLayout();
    Rect r = vm().gridMetrics(dragGrid).cellRect(cell % layout.columns, cell / layout.columns);
    // The middle is inside the cell's folder drop zone; the edge is not.
    return {r.x + r.width * (where == "edge" ? 0.06 : 0.5), r.y + r.height * 0.44};
}

void LauncherScene::act(const std::string& action) {
    std::vector<std::string> w;  // the words of the action
    std::istringstream in(action);
    for (std::string word; in >> word;) {
        w.push_back(word);
    }
    int times = 1;
    if (w.size() > 1 && w.back().size() > 1 && w.back()[0] == 'x' &&
        w.back().find_first_not_of("0123456789", 1) == std::string::npos) {
        times = std::stoi(w.back().substr(1));
        w.pop_back();
    }
    auto n = [&w](std::size_t i, double otherwise = 0) {
        return i < w.size() ? std::stod(w[i]) : otherwise;
    };
    auto cell = [&](std::size_t i) { return static_cast<std::int64_t>(n(i)); };
    auto key = [this](int code) { lastKeyPassedOn_ = !vm().handleKeyDown(code); };
    auto scroll = [this](double x, double y, std::uint32_t phase, std::uint32_t momentum) {
        vm().handleScrollWheel(ScrollEvent{x, y, phase, momentum});
    };
    using namespace scroll_phase;
    const std::map<std::string, std::uint32_t> phases{
        {"began", began}, {"changed", changed}, {"ended", ended}, {"mayBegin", mayBegin}};
    const std::map<std::string, std::function<void()>> verbs{
        {"right", [&] { key(key_code::rightArrow); }},
        {"left", [&] { key(key_code::leftArrow); }},
        {"up", [&] { key(key_code::upArrow); }},
        {"down", [&] { key(key_code::downArrow); }},
        {"return", [&] { key(key_code::returnKey); }},
        {"enter", [&] { key(key_code::keypadEnter); }},
        {"escape", [&] { key(key_code::escape); }},
        {"key", [&] { key(static_cast<int>(n(1))); }},
        {"notch", [&] { vm().handleScrollWheel(wheelNotch(static_cast<int>(n(1)))); }},
        {"wheel", [&] { scroll(n(2), n(1), none, none); }},
        {"pad", [&] { scroll(n(3), n(2), phases.at(w.at(1)), none); }},
        {"momentum", [&] { scroll(0, n(1), none, changed); }},
        {"wait", [&] { queue_.advanceBy(std::chrono::milliseconds(cell(1))); }},
        {"dot", [&] { vm().tapPageDot(cell(1)); }},
        {"hover", [&] { vm().hoverSlot(slotAt(cell(1)), true); }},
        {"leave", [&] { vm().hoverSlot(slotAt(cell(1)), false); }},
        {"tap", [&] { vm().tapSlot(slotAt(cell(1))); }},
        {"press", [&] { vm().pressSlot(slotAt(cell(1)), cellPoint("middle", cell(1))); }},
        {"move",
         [&] {
             bool byCell = w.at(1) == "middle" || w.at(1) == "edge";
             vm().movePointer(byCell ? cellPoint(w[1], cell(2)) : Point{n(1), n(2)}, dragGrid);
         }},
        {"release", [&] { vm().releasePointer(); }},
        {"cancel", [&] { vm().cancelPointer(); }},
        {"close", [&] { vm().closeFolder(); }},
        {"folder-dot", [&] { vm().tapFolderPageDot(cell(1)); }},
        {"folder-press",
         [&] {
             auto panel = FolderPanelLayout::forWindow({1920, 1080});
             vm().pressFolderCell(cell(1), panel.cell(cell(1)).center());
         }},
        {"query", [&] { model_.setQuery(action.size() > 6 ? action.substr(6) : ""); }},
        {"scan", [&] { model_.applyScanResult(numberedApps(cell(1), cell(2), cell(3))); }},
        {"settle", [&] { queue_.runPending(); }},
        {"dissolve", [&] { model_.dissolveFolder(model_.folders().at(0).id); }},
        {"hide", [&] { vm().disappear(); }},
        {"appear", [&] { vm().appear(); }},
        {"dismiss", [&] { vm().dismiss(); }},
        {"exit", [&] { vm().handleExitCommand(); }},
        {"show", [&] { show(); }},
        {"click", [&] { vm().pointerPressed(1); }},
    };
    auto verb = verbs.find(w.at(0));
    ASSERT_NE(verb, verbs.end()) << "no such step: " << action;
    for (int i = 0; i < times; ++i) {
        verb->second();
    }
}

std::string LauncherScene::state() {
    if (!viewModel_) {
        return "gone";
    }
    std::ostringstream line;
    line << "page " << vm().currentPage() << ", item " << vm().selectedIndex();
    if (const OpenFolder* folder = vm().openFolder()) {
        line << ", folder page " << folder->currentPage();
    }
    if (vm().draggedItemID()) {
        line << ", dragging " << vm().draggedItemID()->raw() << " to "
             << vm().lastDragDestination().value_or("-");
    }
    if (vm().folderDropTargetID()) {
        line << ", onto " << vm().folderDropTargetID()->raw();
    }
    if (lastKeyPassedOn_) {
        line << ", passed on";
        lastKeyPassedOn_ = false;
    }
    const auto& opened = desktop_.openedApplications();
    for (std::size_t i = seenOpened_; i < opened.size(); ++i) {
        line << (i == seenOpened_ ? ", opened " : " and ") << testing::appNameAt(opened[i]);
    }
    seenOpened_ = opened.size();
    if (dismissCount_ > seenDismissals_) {
        line << ", dismissed";
        seenDismissals_ = dismissCount_;
    }
    return shortened(line.str());
}

std::optional<ContextMenu> LauncherScene::menuKey() {
    std::optional<ContextMenu> requested;
    vm().setContextMenuRequest([&](const ContextMenu& menu) { requested = menu; });
    EXPECT_TRUE(vm().handleKeyDown(key_code::contextMenu));
    return requested;
}

CanonicalString LauncherScene::makeFolder(const std::vector<std::string>& names) {
    model_.createFolderByDroppingItem(testing::appItemID(names.at(1)),
                                      testing::appItemID(names.at(0)));
    CanonicalString folderID = model_.folders().back().id;
    for (std::size_t i = 2; i < names.size(); ++i) {
        model_.createFolderByDroppingItem(testing::appItemID(names[i]), folderItemID(folderID));
    }
    queue_.runPending();
    return folderID;
}

}  // namespace vantor::launcher_test
