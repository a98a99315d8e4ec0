// The data-selection menus on a menu tree in memory, and what choosing an
// entry does to the selection and the view mode.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "shell/data_choice.h"
#include "shell/data_menus.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

struct FakeMenu {
    struct Item {
        std::wstring text;
        int id = 0;
        bool checked = false;
        bool separator = false;
        std::unique_ptr<FakeMenu> sub;
    };
    std::vector<Item> items;

    FakeMenu& popup(const std::wstring& text) {
        items.push_back({text, 0, false, false, std::make_unique<FakeMenu>()});
        return *items.back().sub;
    }
    void item(const std::wstring& text, int id) { items.push_back({text, id, false, false, nullptr}); }
    std::vector<std::wstring> texts() const {
        std::vector<std::wstring> out;
        for (const Item& i : items) out.push_back(i.separator ? L"---" : i.text);
        return out;
    }
};

// The main menu as the program's resource builds it.
class FakeMenus final : public MenuAccess {
public:
    FakeMenus() {
        bar.popup(L"ファイル(&F)").item(L"画面印刷", 140);
        FakeMenu& data = bar.popup(L"水深データ一覧から検索");
        for (int r = 1; r <= 20; ++r) data.popup(std::to_wstring(r)).item(L"-", 65535);
        for (const wchar_t* scale : {L"5万分の1", L"20万分の1"}) {
            FakeMenu& areas = data.popup(scale);
            for (int a = 0; a < 10; ++a) areas.popup(L"area" + std::to_wstring(a)).item(L"-", 65535);
        }
        bar.popup(L"M7000データ一覧から検索").item(L"M7000データフォルダーの設定", 1600);
    }
    FakeMenu bar;
    bool hasMenu = true;

    FakeMenu& data() { return *bar.items[1].sub; }
    FakeMenu& m7000() { return *bar.items[2].sub; }

    MenuRef menuBar() override { return hasMenu ? &bar : nullptr; }
    MenuRef subMenu(MenuRef menu, int position) override {
        auto& items = of(menu).items;
        return position < static_cast<int>(items.size()) ? items[position].sub.get() : nullptr;
    }
    int itemCount(MenuRef menu) override { return static_cast<int>(of(menu).items.size()); }
    void setText(MenuRef menu, int position, const std::wstring& text) override {
        of(menu).items.at(position).text = text;
    }
    void putItem(MenuRef menu, int position, const std::wstring& text, int id) override {
        auto& items = of(menu).items;
        if (position < static_cast<int>(items.size()))
            items[position] = {text, id, false, false, nullptr};
        else
            items.push_back({text, id, false, false, nullptr});
    }
    void putSeparator(MenuRef menu, int position) override {
        putItem(menu, position, L"", 0);
        of(menu).items[position].separator = true;
    }
    void deleteItem(MenuRef menu, int position) override {
        auto& items = of(menu).items;
        items.erase(items.begin() + position);
    }
    void setChecked(MenuRef menu, int position, bool checked) override {
        of(menu).items.at(position).checked = checked;
    }

private:
    static FakeMenu& of(MenuRef menu) { return *static_cast<FakeMenu*>(menu); }
};

class DataMenus : public ::testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        resetHarbourList();
        resetChartLists();
        resetM7000Lists();
    }
    void TearDown() override { SetUp(); }

    static void addRegion(const char* name) {
        RegionList& regions = regionList();
        copyField(regions.names[regions.regionCount++], 32, name);
    }
    static void addHarbour(const char* name, const char* region, double north = 0, double west = 0, double south = 0,
                           double east = 0) {
        HarbourList& list = harbourList();
        HarbourRecord& h = list.records[list.harbourCount++];
        h = {};
        copyField(h.name, name);
        copyField(h.region, region);
        h.northLat = north, h.westLon = west, h.southLat = south, h.eastLon = east;
    }
    static void addChart(ChartList& list, const char* code, const char* title) {
        ChartRecord& c = list.records[list.count++];
        c = {};
        copyField(c.code, code);
        copyField(c.title, title);
    }
    static void setDataSets(std::initializer_list<const char*> names) {
        M7000DataSetList& sets = m7000DataSetList();
        sets.m7000DataSetCount = 0;
        for (const char* name : names) {
            M7000DataSet& s = sets.dataSets[sets.m7000DataSetCount++];
            s = {};
            copyField(s.fileName, name);
        }
    }
    // A typical data folder: two regions, charts in several sea areas.
    void buildTypical() {
        addRegion("Tohoku");
        addRegion("Kyushu");
        addHarbour("Hachinohe", "Tohoku");
        addHarbour("Nagasaki", "Kyushu");
        addHarbour("Kamaishi", "Tohoku");
        addHarbour("Ofunato", "Tohoku");
        addChart(chart50kList(), "6350_1", "Goto");
        addChart(chart50kList(), "6326_1", "Rishiri");
        addChart(chart50kList(), "6327_1", "Okushiri");
        addChart(chart50kList(), "6600_1", "Nowhere");
        addChart(chart200kList(), "6390", "Okinawa");
        buildDataMenus(menus);
    }

    FakeMenus menus;
};

TEST_F(DataMenus, SeaAreasByChartNumber) {
    EXPECT_EQ(chartNumber("6326_1"), 6326);
    EXPECT_EQ(chartNumber("63"), 63);
    EXPECT_EQ(seaAreaOf(6326), 0);  // 北海道日本海側
    EXPECT_EQ(seaAreaOf(6327), 1);  // 日本海側北部
    EXPECT_EQ(seaAreaOf(6350), 3);  // 九州
    EXPECT_EQ(seaAreaOf(6577), 9);
    EXPECT_EQ(seaAreaOf(6600), -1);
    EXPECT_EQ(seaAreaOf(0), -1);
}

TEST_F(DataMenus, BuildFillsRegionsAndSeaAreasAndDropsUnusedSlots) {
    buildTypical();
    FakeMenu& data = menus.data();
    // Two regions, then the two chart scales: the 18 unused region slots are gone.
    ASSERT_EQ(data.texts(), (std::vector<std::wstring>{L"Tohoku", L"Kyushu", L"5万分の1", L"20万分の1"}));
    FakeMenu& tohoku = *data.items[0].sub;
    EXPECT_EQ(tohoku.texts(), (std::vector<std::wstring>{L"Hachinohe", L"Kamaishi", L"Ofunato"}));
    EXPECT_EQ(tohoku.items[0].id, 300);
    EXPECT_EQ(tohoku.items[1].id, 302);
    EXPECT_EQ(tohoku.items[2].id, 303);
    EXPECT_EQ(data.items[1].sub->items[0].id, 301);

    FakeMenu& charts50 = *data.items[2].sub;
    EXPECT_EQ(charts50.items[0].sub->texts(), std::vector<std::wstring>{L"Rishiri"});
    EXPECT_EQ(charts50.items[0].sub->items[0].id, 601);
    EXPECT_EQ(charts50.items[1].sub->texts(), std::vector<std::wstring>{L"Okushiri"});
    EXPECT_EQ(charts50.items[3].sub->texts(), std::vector<std::wstring>{L"Goto"});
    // An area without charts keeps its placeholder; chart 6600 is in no area.
    EXPECT_EQ(charts50.items[2].sub->texts(), std::vector<std::wstring>{L"-"});
    EXPECT_EQ(charts50.items[2].sub->items[0].id, 65535);
    for (auto& area : charts50.items)
        for (auto& item : area.sub->items) EXPECT_NE(item.id, 603);
    EXPECT_EQ(data.items[3].sub->items[9].sub->items[0].id, 900);
}

TEST_F(DataMenus, OneSelectionAcrossAllListsWithChecksByPosition) {
    buildTypical();
    setDataSets({"M7001_Akita.shp", "M7002 Sado"});
    rebuildM7000Menu(menus);
    FakeMenu& tohoku = *menus.data().items[0].sub;
    FakeMenu& kyushu50 = *menus.data().items[2].sub->items[3].sub;

    EXPECT_EQ(selectDataEntry(menus, LIST_HARBOUR, 3), 1);
    EXPECT_TRUE(tohoku.items[2].checked);  // Ofunato is the third item of its region
    EXPECT_EQ(harbourList().records[3].selected, 1);
    EXPECT_EQ(selectDataEntry(menus, LIST_HARBOUR, 3), 0);  // already selected

    EXPECT_EQ(selectDataEntry(menus, LIST_CHART50K, 0), 1);
    EXPECT_TRUE(kyushu50.items[0].checked);
    EXPECT_FALSE(tohoku.items[2].checked);
    EXPECT_EQ(harbourList().records[3].selected, 0);

    ASSERT_TRUE(selectM7000Entry(menus, 1));
    EXPECT_TRUE(menus.m7000().items[3].checked);
    EXPECT_FALSE(kyushu50.items[0].checked);  // the chart gave up its selection
    EXPECT_EQ(chart50kList().records[0].selected, 0);
    EXPECT_FALSE(selectM7000Entry(menus, 1));

    // A 1:200,000 chart clears the harbour, the 1:50,000 chart and the M7000 set.
    selectDataEntry(menus, LIST_HARBOUR, 0);
    harbourList().records[0].selected = 1;
    chart50kList().records[0].selected = 1;
    m7000DataSetList().dataSets[1].selected = 1;
    EXPECT_EQ(selectDataEntry(menus, LIST_CHART200K, 0), 1);
    EXPECT_EQ(harbourList().records[0].selected, 0);
    EXPECT_FALSE(tohoku.items[0].checked);
    EXPECT_EQ(chart50kList().records[0].selected, 0);
    EXPECT_EQ(m7000DataSetList().dataSets[1].selected, 0);
    EXPECT_FALSE(menus.m7000().items[3].checked);
    EXPECT_TRUE(menus.data().items[3].sub->items[9].sub->items[0].checked);
    EXPECT_EQ(chart200kList().records[0].selected, 1);
}

TEST_F(DataMenus, WithoutMenuNothingChanges) {
    buildTypical();
    menus.hasMenu = false;
    EXPECT_EQ(selectDataEntry(menus, LIST_HARBOUR, 0), 0);
    EXPECT_EQ(harbourList().records[0].selected, 0);
    buildDataMenus(menus);
    rebuildM7000Menu(menus);
}

TEST_F(DataMenus, M7000DisplayNamesDropNumberSeparatorAndExtension) {
    setDataSets({"M7001_Akita.shp", "M7002 Sado", "M7003X.shp", "M7004", "M7005.shp", "M7006-Oga.txt"});
    EXPECT_EQ(m7000DisplayName(0), "Akita");
    EXPECT_EQ(m7000DisplayName(1), "Sado");
    EXPECT_EQ(m7000DisplayName(2), "X");
    EXPECT_EQ(m7000DisplayName(3), "M7004");
    EXPECT_EQ(m7000DisplayName(4), "M7005");  // nothing after the number: no empty item
    EXPECT_EQ(m7000DisplayName(5), "Oga.txt");
}

TEST_F(DataMenus, M7000MenuFollowsTheLastFolder) {
    setDataSets({"M7001_A.shp", "M7002_B.shp", "M7003_C.shp", "M7004_D.shp", "M7005_E.shp"});
    rebuildM7000Menu(menus);
    EXPECT_EQ(menus.m7000().items.size(), 7u);
    menus.m7000().items[6].checked = true;
    setDataSets({"M7011_F.shp", "M7012_G.shp", "M7013_H.shp"});
    rebuildM7000Menu(menus);
    ASSERT_EQ(menus.m7000().texts(),
              (std::vector<std::wstring>{L"M7000データフォルダーの設定", L"---", L"F", L"G", L"H"}));
    EXPECT_EQ(menus.m7000().items[0].id, 1600);
    EXPECT_EQ(menus.m7000().items[4].id, 1202);
    for (auto& item : menus.m7000().items) EXPECT_FALSE(item.checked);
    setDataSets({});
    rebuildM7000Menu(menus);
    EXPECT_EQ(menus.m7000().texts(), std::vector<std::wstring>{L"M7000データフォルダーの設定"});
}

TEST_F(DataMenus, PickMenuListsTheShownSourcesWhoseExtentHoldsThePoint) {
    addRegion("R");
    addHarbour("Inside", "R", 35.0, 139.0, 34.0, 140.0);
    addHarbour("Outside", "R", 33.0, 139.0, 32.0, 140.0);
    addHarbour("Edge", "R", 34.5, 139.5, 34.0, 139.5);  // bounds included
    addChart(chart50kList(), "6364_1", "Sagami");
    chart50kList().records[0].northLat = 36, chart50kList().records[0].southLat = 34;
    chart50kList().records[0].westLon = 139, chart50kList().records[0].eastLon = 140;

    auto items = pickMenuItems(34.5, 139.5);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, L"Inside");
    EXPECT_EQ(items[0].id, 300);
    EXPECT_EQ(items[1].id, 302);

    appState().overviewSourceFlags[SOURCE_HARBOUR] = 0;
    appState().overviewSourceFlags[SOURCE_CHART50K] = 1;
    items = pickMenuItems(34.5, 139.5);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, L"Sagami");
    EXPECT_EQ(items[0].id, 600);
    EXPECT_TRUE(pickMenuItems(10.0, 10.0).empty());
}

TEST_F(DataMenus, ChoosingEntriesSwitchesViewsAndReloadsWhenTheStoreHeldOtherData) {
    RecordingPlatform recorder;  // a real loader may warn about the missing files
    buildTypical();
    setDataSets({"M7001_A.shp", "M7002_B.shp"});
    rebuildM7000Menu(menus);
    ContourStore& store = contourStore();

    // From the overview the same harbour twice: switch once, then nothing in the contour view.
    EXPECT_TRUE(chooseListEntry(menus, LIST_HARBOUR, 0));
    appState().viewMode = VIEW_CONTOUR;
    harbourList().records[0].loaded = 1;  // as the paint's load leaves it
    EXPECT_FALSE(chooseListEntry(menus, LIST_HARBOUR, 0));
    appState().viewMode = VIEW_OVERVIEW;
    EXPECT_TRUE(chooseListEntry(menus, LIST_HARBOUR, 0));

    // An M7000 set fills the store: the harbour must be read again when chosen next.
    EXPECT_TRUE(chooseM7000DataSet(menus, nullptr, 1));
    EXPECT_EQ(m7000DataSetList().dataSets[1].loaded, 1);
    EXPECT_EQ(store.contourStoreValid, 1);
    EXPECT_EQ(harbourList().records[0].selected, 0);
    EXPECT_EQ(harbourList().records[0].loaded, 0);
    appState().viewMode = VIEW_M7000;
    EXPECT_FALSE(chooseM7000DataSet(menus, nullptr, 1));  // shown already
    EXPECT_FALSE(chooseM7000DataSet(menus, nullptr, 7));  // no such set

    // Back to the harbour, then the same M7000 set again: it is read again.
    EXPECT_TRUE(chooseListEntry(menus, LIST_HARBOUR, 0));
    EXPECT_EQ(harbourList().records[0].selected, 1);
    EXPECT_EQ(m7000DataSetList().dataSets[1].loaded, 0);
    appState().viewMode = VIEW_CONTOUR;
    EXPECT_TRUE(chooseM7000DataSet(menus, nullptr, 1));
    EXPECT_EQ(m7000DataSetList().dataSets[1].loaded, 1);

    // Re-choosing the selected set from the overview switches without reloading.
    appState().viewMode = VIEW_OVERVIEW;
    store.contourPointCount = 5;
    EXPECT_TRUE(chooseM7000DataSet(menus, nullptr, 1));
    EXPECT_EQ(store.contourPointCount, 5);
}

TEST_F(DataMenus, ViewModesWheelAndFolder) {
    AppState& app = appState();
    app.mapView.panX = 30, app.mapView.panY = -20;
    EXPECT_EQ(enterViewMode(VIEW_OVERVIEW), VIEW_OVERVIEW);
    EXPECT_EQ(app.mapView.panX, 30);  // the overview keeps its pan
    EXPECT_EQ(enterViewMode(VIEW_CONTOUR), VIEW_OVERVIEW);
    EXPECT_EQ(app.mapView.panX, 0);
    EXPECT_EQ(app.mapView.panY, 0);

    EXPECT_EQ(wheelCommand(1), 120);
    EXPECT_EQ(wheelCommand(2), 120);
    EXPECT_EQ(wheelCommand(-1), 121);

    RecordingPlatform recorder;
    EXPECT_TRUE(acceptM7000Folder(nullptr, L"/data/m7000"));
    EXPECT_EQ(dataFolders().m7000Folder, L"/data/m7000");
    EXPECT_FALSE(acceptM7000Folder(nullptr, std::wstring(300, L'a')));
    EXPECT_EQ(dataFolders().m7000Folder, L"/data/m7000");
    ASSERT_EQ(recorder.warnings.size(), 1u);
}

}  // namespace
}  // namespace vornel
