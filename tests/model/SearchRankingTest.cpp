#include "ModelTest.h"

namespace vantor {
namespace {

constexpr std::int64_t day = 24 * 60 * 60;
constexpr std::int64_t start = 1'700'000'000;

class SearchRankingTest : public ModelTest {
protected:
    // The grid in the order given, so ranking, not title order, decides.
    LauncherModel& loaded(std::vector<ApplicationItem> applications,
                          ordered_json stored = ordered_json::object()) {
        load(std::move(applications), std::move(stored));
        for (const auto& application : model_->applications()) {
            model_->moveItemToEnd(applicationItemID(application.id));
        }
        store_->clearWrites();
        return *model_;
    }
    Strings search(const std::string& query) {
        model_->setQuery(query);
        return titles(model_->filteredItems());
    }
};

TEST_F(SearchRankingTest, TheFiveKindsOfMatchComeInOrder) {
    ApplicationItem chat = app("Voice Chat");
    chat.search = ApplicationSearchData::prepare(chat.name, {{}, "", "yychat"});
    loaded({chat,                     // only by its program
            app("Sayyes"),            // inside a word
            app("Elisa 音乐播放器"),  // at a later Han character
            app("音乐播放器"),        // from the start, not whole
            app("音乐"),              // the whole title
            app("浏览器")});
    EXPECT_EQ(search("yy"),
              (Strings{"音乐", "音乐播放器", "Elisa 音乐播放器", "Sayyes", "Voice Chat"}));
    // Equal kinds keep the grid's order.
    EXPECT_EQ(search("a"), (Strings{"Voice Chat", "Sayyes", "Elisa 音乐播放器"}));
}

TEST_F(SearchRankingTest, WithinAKindTheMoreLaunchedComeFirstThenTheGridsOrder) {
    auto& model = loaded({app("终端"), app("终点"), app("中断"), app("Zdx")});
    EXPECT_EQ(search("zd"), (Strings{"终端", "终点", "中断", "Zdx"}));

    model.recordLaunch(app("中断").id);
    model.recordLaunch(app("中断").id);
    EXPECT_EQ(search("zd"), (Strings{"中断", "终端", "终点", "Zdx"}));

    // Two launches 90 days ago weigh 2/8; one today weighs 1.
    now_ = start + 90 * day;
    model.recordLaunch(app("终点").id);
    EXPECT_EQ(search("zd"), (Strings{"终点", "中断", "终端", "Zdx"}));

    // No score lifts an application above a better kind of match.
    for (int i = 0; i < 5; ++i) {
        model.recordLaunch(app("Zdx").id);
    }
    EXPECT_EQ(search("zd"), (Strings{"终点", "中断", "终端", "Zdx"}));
}

TEST_F(SearchRankingTest, FoldersAreFoundByNameAndContentsAndTypingOnFindsWhatAFreshSearchFinds) {
    auto applications = std::vector<ApplicationItem>{
        app("Café"), app("Cafe"),   app("浏览器"), app("流量"),  app("Elisa 音乐播放器"),
        app("音乐"), app("记事本"), app("计算器"), app("Straße")};
    auto& model = loaded(applications);
    model.createFolderByDroppingItem(appItemID("记事本"), appItemID("计算器"));
    EXPECT_EQ(search("wjj"), (Strings{"文件夹"}));           // the new folder's name, by pinyin
    EXPECT_EQ(search("js"), (Strings{"计算器", "记事本"}));  // standing in the folder's place
    // Typed key by key, with a combining accent changing a folded letter, back-spacing, a rescan.
    const std::vector<std::string> typed = {
        "c",   "ca", "caf", "cafe", "cafe\u0301", "l",   "li", "liu", "liul", "liu",  "y",     "yy",
        "yyb", "j",  "js",  "w",    "wj",         "wjj", "s",  "st",  "str",  "stra", "strass"};
    for (std::size_t k = 0; k < typed.size(); ++k) {
        if (k == 12) {
            model.applyScanResult(applications);
        }
        model.setQuery(typed[k]);
        MemoryDefaultsStore copy(store_->values());
        LauncherModel fresh(copy);
        fresh.applyScanResult(applications);
        fresh.setQuery(typed[k]);
        EXPECT_EQ(titles(model.filteredItems()), titles(fresh.filteredItems())) << typed[k];
    }
}

TEST(LaunchHistoryTest, ScoresHalveEveryThirtyDaysAndOnlyTheFiveHundredMostUsedAreKept) {
    LaunchHistory history;
    history.recordLaunch("/a.desktop", start);
    EXPECT_DOUBLE_EQ(history.score("/a.desktop", start + 60 * day), 0.25);
    history.recordLaunch("/a.desktop", start + 30 * day);
    EXPECT_DOUBLE_EQ(history.score("/a.desktop", start + 30 * day), 1.5);
    EXPECT_DOUBLE_EQ(history.score("/never.desktop", start), 0);
    // A clock set back does not raise a score.
    EXPECT_DOUBLE_EQ(history.score("/a.desktop", start), 1.5);

    for (int i = 0; i < 499; ++i) {
        history.recordLaunch("/app" + std::to_string(i) + ".desktop", start + 200 * day);
    }
    ASSERT_EQ(history.entries().size(), 500u);
    history.recordLaunch("/new.desktop", start + 201 * day);
    EXPECT_EQ(history.entries().size(), 500u);
    EXPECT_EQ(history.score("/a.desktop", start + 201 * day), 0);  // the least used by far
    EXPECT_GT(history.score("/new.desktop", start + 201 * day), 0);
}

TEST_F(SearchRankingTest, TheHistoryIsStoredAsBytesOfJsonAtEachLaunchAndReadBack) {
    auto& model = loaded({app("终端")});
    model.recordLaunch(app("终端").id);
    now_ += day;
    model.recordLaunch(app("终端").id);
    EXPECT_EQ(store_->writeCount(), 2);
    const double score = 1 + std::exp2(-1.0 / 30);
    EXPECT_EQ(ordered_json::parse(*store_->data("VantorLaunchHistory")).dump(),
              R"([{"id":"/Applications/终端.app","score":)" + ordered_json(score).dump() +
                  R"(,"at":)" + std::to_string(now_) + "}]");
    LauncherModel again(*store_);
    EXPECT_NEAR(again.launchHistory().score("/Applications/终端.app", now_), score, 1e-9);
}

TEST_F(SearchRankingTest, BadStoredHistoriesReadAsEmptyAndAreReplaced) {
    auto bytes = [](const std::string& text) { return ordered_json{{"data", encodeBase64(text)}}; };
    const std::vector<std::pair<std::string, ordered_json>> cases = {
        {"a string", "[]"},
        {"bytes that are not JSON", bytes("not json")},
        {"a JSON object", bytes(R"({"id": "/a.app"})")},
        {"an entry without a score", bytes(R"([{"id": "/Applications/终端.app", "at": 1}])")},
        {"a negative score", bytes(R"([{"id": "/Applications/终端.app", "score": -1, "at": 1}])")},
        {"a fractional time",
         bytes(R"([{"id": "/Applications/终端.app", "score": 1, "at": 1.5}])")},
        {"an empty id", bytes(R"([{"id": "", "score": 1, "at": 1}])")},
    };
    for (const auto& [label, value] : cases) {
        SCOPED_TRACE(label);
        auto& model = loaded({app("中断")}, ordered_json{{"VantorLaunchHistory", value}});
        EXPECT_TRUE(model.launchHistory().entries().empty());
        model.recordLaunch(app("中断").id);
        EXPECT_EQ(LaunchHistory::decode(*store_->data("VantorLaunchHistory")).entries().size(), 1u);
    }
}

}  // namespace
}  // namespace vantor
