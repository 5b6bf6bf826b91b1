#include "tools/TaskFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace rectix;

namespace {
std::string read(const std::string& name) {
    std::ifstream in(std::string(RECTIX_TEST_DATA) + "/tasks/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
} // namespace

TEST(TaskFile, ReadsTheSampleAsTheBridgeWould) {
    engine::PackProblem p;
    tools::loadTaskJson(read("sample.json"), p);
    EXPECT_EQ(p.contTypeCount, 1);
    EXPECT_EQ(p.contTypes.fillDir[1], 1);
    EXPECT_FLOAT_EQ(p.contTypes.area[1], 1200.0f * 240.0f);
    EXPECT_EQ(p.boxKinds.name[1], "Pallet");
    EXPECT_DOUBLE_EQ(p.settings.timeLimitMs, 60000.0);
    EXPECT_EQ(p.settings.intensity, 3);
    // Absent settings take the optimizer's defaults, not the engine's reset values.
    engine::PackProblem q;
    tools::loadTaskJson(R"({"containers": [{"TypeID": 1, "Length": 10, "Width": 10, "LoadWt": 5, "Avail": 1,
        "FillDir": "length"}], "boxes": [{"KindID": 1, "Kind": "A name longer than twenty-five letters", "Length": 1,
        "Width": 1, "Weight": 1, "Total": 1}], "settings": {"WeightFactor": 35, "BindGroupFactor": 2}})",
                        q);
    EXPECT_EQ(q.settings.intensity, 5);
    EXPECT_DOUBLE_EQ(q.settings.timeLimitMs, 555000.0);
    EXPECT_FLOAT_EQ(q.settings.weightFactor, 0.35f);
    EXPECT_FLOAT_EQ(q.settings.bindGroupFactor, 0.2f);
    EXPECT_EQ(q.contTypes.fillDir[1], 0); // only the exact "length" fills along the length
    EXPECT_EQ(q.boxKinds.name[1].size(), 25u);
}

TEST(TaskFile, RefusesBadInputNamingTheField) {
    const std::pair<const char*, const char*> cases[] = {
        {"truncated.json", "not valid JSON"},
        {"side-40000.json", "containers[0].Length"},
        {"negative-total.json", "boxes[0].Total"},
        {"missing-loadwt.json", "containers[0].LoadWt: missing"},
        {"25-containers.json", "more than 24"},
        {"1001-boxes.json", "more than 1000"},
        {"intensity-300.json", "settings.Intensity"},
        {"support-span.json", "NoseDL + TailDL"},
        {"no-containers.json", "containers: missing or empty"},
        {"number-1e999.json", "not valid JSON"},
        {"integer-past-64-bits.json", "containers[0].LoadWt"},
        {"key-past-64-bits.json", "boxes[0].KindID"},
        {"deep-settings.json", "nesting deeper"},
        // Within their field types, but the engine's sums would overflow: the table rules' ranges.
        {"loadwt-overflow.json", "containers[0].LoadWt: 2147483647 is outside"},
        {"weight-overflow.json", "boxes[0].Weight: 2147483647 is outside"},
        {"fixed-outside.json", "fixed[0].boxes[0]: outside the container"},
        {"fixed-overlapping.json", "fixed[0].boxes[2]: overlaps fixed[0].boxes[0]"},
        {"fixed-turned.json", "fixed[0].boxes[0]: turned, but the kind may not turn"},
        {"fixed-no-free-container.json", "fixed[1].TypeID: no free container"},
        // Rows of one task are told apart by their keys.
        {"repeated-typeid.json", "containers[2].TypeID: 7 is the TypeID of containers[0] too"},
        {"repeated-kindid.json", "boxes[1].KindID: 4 is the KindID of boxes[0] too"},
        // Each value fits its field, but a side with the gaps, or a support load, would not fit the run's.
        {"box-side-with-gap.json",
         "boxes[0].Length: 32767 is more than 32766, the most a run can hold with ItemGap 1"},
        {"container-side-with-gaps.json", "containers[0].Width: 32767 is more than 32766, the most a run can "
                                          "hold with ItemGap 3 and EdgeGap 1"},
        {"support-load.json",
         "containers[0]: Length - NoseDL - TailDL is 1; for a load of 6553400 it must be at least 62"},
        {"fixed-support-load.json",
         "containers[0]: Length - NoseDL - TailDL is 1; for a load of 98301 it must be at least 2"},
    };
    for (const auto& [file, message] : cases) {
        engine::PackProblem p;
        try {
            tools::prepareStart(p, tools::loadTaskJson(read(std::string("bad/") + file), p));
            ADD_FAILURE() << file << " was accepted";
        } catch (const tools::TaskFileError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << file << ": " << e.what();
        }
    }
}
