// Search and the model's derived lists at 5,000 applications with Chinese
// titles and 200 folders of 10:
//   - preparing the search data of 5,000 applications (the scan's share);
//   - one keystroke: the query changes and the results are read, against a
//     naive search that expands every reading of every title per keystroke;
//   - repeated reads and a move, cached and with the lists derived anew;
//   - the reading table: its size and the part of it resident once used.
#include <benchmark/benchmark.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/JsonDefaults.h"
#include "model/LauncherModel.h"
#include "model/PinyinTable.h"
#include "model/PinyinTableData.h"
#include "model/SearchText.h"

namespace {

using namespace vantor;

constexpr int applicationCount = 5000;
constexpr int folderCount = 200;
constexpr int folderSize = 10;

// Characters common in application names.
const std::u32string commonHan =
    U"浏览器音乐播放器终端文件管理编辑器图像处理程序设置系统监视计算器记事本日历邮件"
    U"视频相机照片地图天气时钟备忘录通讯录电话短信游戏商店下载工具开发者微信输入法"
    U"办公文档表格演示阅读翻译词典网络安全防火墙备份恢复磁盘分区字体主题桌面壁纸录屏"
    U"截图扫描打印传真会议直播新闻股票银行支付购物外卖打车导航健康运动睡眠笔记任务";

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

struct Library {
    std::vector<ApplicationItem> applications;
    std::vector<std::string> titles;
};

// Titles of 2 to 6 common characters, some with a Latin word in front.
Library makeLibrary(bool prepared) {
    std::mt19937 random(12);
    Library library;
    for (int i = 0; i < applicationCount; ++i) {
        std::string title = i % 7 == 0 ? "Pro " : "";
        int length = 2 + static_cast<int>(random() % 5);
        for (int k = 0; k < length; ++k) {
            title += utf8(commonHan[random() % commonHan.size()]);
        }
        std::string path = "/usr/share/applications/app" + std::to_string(i) + ".desktop";
        ApplicationItem item{path, title, path};
        if (prepared) {
            item.search = ApplicationSearchData::prepare(
                title,
                {{"Application " + std::to_string(i), "Utility"}, "", "app" + std::to_string(i)});
        }
        library.titles.push_back(title);
        library.applications.push_back(std::move(item));
    }
    return library;
}

// The model of the sizes above: 200 folders of 10 stored before the scan.
struct ModelAtScale {
    MemoryDefaultsStore store;
    std::unique_ptr<LauncherModel> model;

    ModelAtScale() {
        Library library = makeLibrary(true);
        nlohmann::json folders = nlohmann::json::array();
        for (int f = 0; f < folderCount; ++f) {
            nlohmann::json ids = nlohmann::json::array();
            for (int k = 0; k < folderSize; ++k) {
                ids.push_back(library.applications[f * folderSize + k].id.raw());
            }
            folders.push_back({{"id", "F" + std::to_string(f)},
                               {"name", "文件夹" + std::to_string(f)},
                               {"applicationIDs", ids}});
        }
        store.setData(defaults_keys::folders, folders.dump());
        model = std::make_unique<LauncherModel>(store);
        model->applyScanResult(std::move(library.applications));
    }
};

// What a user types, one key at a time, then clears.
const std::vector<std::string> keystrokes = {"l",  "ll",  "llq",  "d",      "di", "dia", "dian",
                                             "wj", "wjg", "wjgl", "p",      "pr", "pro", "y",
                                             "yy", "yyb", "yybf", "bianji", "s",  "sz"};

void BM_PrepareSearchData(benchmark::State& state) {
    Library library = makeLibrary(false);
    for (auto _ : state) {
        for (const std::string& title : library.titles) {
            benchmark::DoNotOptimize(
                ApplicationSearchData::prepare(title, {{"Application", "Utility"}, "", "program"}));
        }
    }
    state.SetLabel("all 5,000 applications per iteration");
}
BENCHMARK(BM_PrepareSearchData)->Unit(benchmark::kMillisecond);

void BM_Keystroke(benchmark::State& state) {
    ModelAtScale scale;
    std::size_t next = 0;
    std::size_t results = 0;
    for (auto _ : state) {
        scale.model->setQuery(keystrokes[next++ % keystrokes.size()]);
        results += scale.model->filteredItems().size();
    }
    state.counters["results"] = static_cast<double>(results) / static_cast<double>(next);
    state.SetLabel("typing on: query change + reading the results");
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

// The first key of a search: every application is looked at, and single
// letters match the most.
void BM_KeystrokeFirstLetter(benchmark::State& state) {
    ModelAtScale scale;
    const std::string letters = "ldwpysjbtxzq";
    std::size_t next = 0;
    std::size_t results = 0;
    for (auto _ : state) {
        scale.model->setQuery(std::string(1, letters[next++ % letters.size()]));
        results += scale.model->filteredItems().size();
    }
    state.counters["results"] = static_cast<double>(results) / static_cast<double>(next);
    state.SetLabel("a first letter: no earlier results to narrow");
}
BENCHMARK(BM_KeystrokeFirstLetter)->Unit(benchmark::kMicrosecond);

// Without prepared data: per keystroke every title is decoded, its readings
// looked up, and every spelling of it (each character by a full reading or
// an initial, in every combination) built and searched.
void BM_KeystrokeNaiveBaseline(benchmark::State& state) {
    Library library = makeLibrary(false);
    std::size_t next = 0;
    std::size_t results = 0;
    for (auto _ : state) {
        std::string query = foldForSearch(keystrokes[next++ % keystrokes.size()]);
        for (const std::string& title : library.titles) {
            std::vector<std::string> spellings{""};
            std::u32string text;
            for (std::size_t i = 0; i < title.size();) {
                auto byte = static_cast<unsigned char>(title[i]);
                int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
                char32_t c = length == 1 ? byte : byte & (0xFF >> (length + 1));
                for (int k = 1; k < length; ++k) {
                    c = (c << 6) | (static_cast<unsigned char>(title[i + k]) & 0x3F);
                }
                i += static_cast<std::size_t>(length);
                auto readings = PinyinTable::readingsOf(c);
                std::vector<std::string> grown;
                for (const std::string& prefix : spellings) {
                    if (readings.empty()) {
                        grown.push_back(prefix + title.substr(i - length, length));
                    }
                    for (auto id : readings) {
                        std::string_view reading = PinyinTable::syllable(id);
                        grown.push_back(prefix + std::string(reading));
                        grown.push_back(prefix + reading[0]);
                    }
                    if (grown.size() > 4096) {
                        break;
                    }
                }
                spellings = std::move(grown);
            }
            bool found = foldForSearch(title).find(query) != std::string::npos;
            for (std::size_t s = 0; !found && s < spellings.size(); ++s) {
                found = spellings[s].find(query) != std::string::npos;
            }
            results += found ? 1 : 0;
        }
    }
    benchmark::DoNotOptimize(results);
    state.SetLabel("every reading expanded per keystroke");
}
BENCHMARK(BM_KeystrokeNaiveBaseline)->Unit(benchmark::kMicrosecond);

void BM_RepeatedRead(benchmark::State& state) {
    ModelAtScale scale;
    scale.model->setQuery("wj");
    bool uncached = state.range(0) != 0;
    for (auto _ : state) {
        if (uncached) {
            scale.model->forgetDerivedLists();
        }
        benchmark::DoNotOptimize(scale.model->filteredItems().size());
    }
    state.SetLabel(uncached ? "derived anew on every read" : "cached");
}
BENCHMARK(BM_RepeatedRead)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Move(benchmark::State& state) {
    ModelAtScale scale;
    bool uncached = state.range(0) != 0;
    const auto& items = scale.model->topLevelItems();
    CanonicalString first = items.front().id();
    CanonicalString last = items.back().id();
    for (auto _ : state) {
        scale.model->moveItem(first, last);
        // The view reads the list several times per change (pages, slots, selection).
        for (int read = 0; read < 4; ++read) {
            if (uncached) {
                scale.model->forgetDerivedLists();
            }
            benchmark::DoNotOptimize(scale.model->filteredItems().size());
        }
        std::swap(first, last);
    }
    state.SetLabel(uncached ? "move + 4 reads, derived anew" : "move + 4 reads, cached");
}
BENCHMARK(BM_Move)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Pages of [begin, end) that are in memory.
std::size_t residentBytes(const void* begin, std::size_t size) {
    long page = ::sysconf(_SC_PAGESIZE);
    auto start = reinterpret_cast<std::uintptr_t>(begin) & ~static_cast<std::uintptr_t>(page - 1);
    auto end = reinterpret_cast<std::uintptr_t>(begin) + size;
    std::size_t pages = (end - start + static_cast<std::uintptr_t>(page) - 1) / page;
    std::vector<unsigned char> resident(pages);
    if (::mincore(reinterpret_cast<void*>(start), pages * page, resident.data()) != 0) {
        return 0;
    }
    return static_cast<std::size_t>(std::count_if(resident.begin(), resident.end(),
                                                  [](unsigned char p) { return p & 1; })) *
           static_cast<std::size_t>(page);
}

void BM_ReadingTable(benchmark::State& state) {
    using namespace pinyin_data;
    std::size_t readings = 0;
    for (auto _ : state) {
        // Every character looked up once: the worst case of what the table keeps resident.
        for (std::size_t i = 0; i < characterCount; ++i) {
            readings += PinyinTable::readingsOf(characters[i]).size();
        }
    }
    benchmark::DoNotOptimize(readings);
    std::size_t resident =
        residentBytes(characters, characterCount * sizeof(char32_t)) +
        residentBytes(readingSetOfCharacter, characterCount * sizeof(std::uint16_t)) +
        residentBytes(readingSetSyllables, readingSetStarts[readingSetCount] * 2) +
        residentBytes(readingSetStarts, (readingSetCount + 1) * 2) +
        residentBytes(syllables, syllableCount * sizeof syllables[0]);
    state.counters["table_bytes"] = static_cast<double>(PinyinTable::sizeInBytes());
    state.counters["resident_bytes"] = static_cast<double>(resident);
    state.counters["characters"] = static_cast<double>(characterCount);
    state.SetLabel("every character looked up once per iteration");
}
BENCHMARK(BM_ReadingTable)->Unit(benchmark::kMillisecond);

}  // namespace
