#include "TaskFile.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace rectix::tools {

using nlohmann::json;

namespace {

struct Reader {
    const json& obj;
    std::string where;

    bool has(const char* name) const { return obj.contains(name) && !obj.at(name).is_null(); }

    long long integer(const char* name, long long lo, long long hi,
                      std::optional<long long> dflt = {}) const {
        if (!has(name)) {
            if (dflt) return *dflt;
            throw TaskFileError(where + name + ": missing");
        }
        const json& v = obj.at(name);
        long long n;
        if (v.is_number_integer()) {
            n = v.get<long long>();
        } else if (v.is_number_float() && std::isfinite(v.get<double>()) &&
                   std::trunc(v.get<double>()) == v.get<double>() && std::fabs(v.get<double>()) < 9e15) {
            n = static_cast<long long>(v.get<double>());
        } else {
            throw TaskFileError(where + name + ": not a whole number");
        }
        if (n < lo || n > hi)
            throw TaskFileError(where + name + ": " + std::to_string(n) + " is outside " +
                                std::to_string(lo) + ".." + std::to_string(hi));
        return n;
    }

    double number(const char* name, double lo, double hi, double dflt) const {
        if (!has(name)) return dflt;
        const json& v = obj.at(name);
        if (!v.is_number()) throw TaskFileError(where + name + ": not a number");
        const double d = v.get<double>();
        if (!(d >= lo && d <= hi))
            throw TaskFileError(where + name + ": outside " + std::to_string(lo) + ".." + std::to_string(hi));
        return d;
    }

    bool boolean(const char* name, bool dflt) const {
        if (!has(name)) return dflt;
        if (!obj.at(name).is_boolean()) throw TaskFileError(where + name + ": not true or false");
        return obj.at(name).get<bool>();
    }

    std::string text(const char* name, std::size_t maxLen, const std::string& dflt) const {
        if (!has(name)) return dflt;
        if (!obj.at(name).is_string()) throw TaskFileError(where + name + ": not a text");
        std::string s = obj.at(name).get<std::string>();
        if (s.size() > maxLen) s.resize(maxLen);
        return s;
    }
};

constexpr long long I16Max = std::numeric_limits<std::int16_t>::max();
constexpr long long I32Max = std::numeric_limits<std::int32_t>::max();

std::int16_t FillDirOf(const std::string& s) {
    if (s == "Length") return 1;
    if (s == "Width") return 2;
    return 0;
}

// The fixed containers of the task: each type and kind named must have a free
// instance left, each box lies inside its container with the sides of its
// kind, and the load numbers of a container are 1..its box count.
std::vector<FixedContainer> ReadFixed(const json& doc, const engine::PackProblem& p) {
    std::vector<FixedContainer> out;
    if (!doc.contains("fixed")) return out;
    const json& list = doc.at("fixed");
    if (!list.is_array()) throw TaskFileError("fixed: not a list");
    std::map<std::int32_t, long long> contsLeft, boxesLeft;
    for (int t = 1; t <= p.ContTypeCount; ++t) contsLeft[p.ContTypes.TypeID[t]] += p.ContTypes.Avail[t];
    for (int k = 1; k <= p.BoxKindCount; ++k) boxesLeft[p.BoxKinds.KindID[k]] += p.BoxKinds.Total[k];
    int i = 0;
    for (const json& row : list) {
        const std::string where = "fixed[" + std::to_string(i++) + "]";
        if (!row.is_object()) throw TaskFileError(where + ": not an object");
        const Reader c{row, where + "."};
        FixedContainer fc;
        fc.typeID = static_cast<std::int32_t>(c.integer("TypeID", 0, I32Max));
        if (contsLeft[fc.typeID]-- < 1) throw TaskFileError(where + ".TypeID: no free container of the type");
        int t = 1;
        while (p.ContTypes.TypeID[t] != fc.typeID) ++t;
        if (!row.contains("boxes") || !row.at("boxes").is_array())
            throw TaskFileError(where + ".boxes: missing or not a list");
        const auto count = static_cast<long long>(row.at("boxes").size());
        std::set<long long> loadNos;
        int j = 0;
        for (const json& boxRow : row.at("boxes")) {
            const std::string at = where + ".boxes[" + std::to_string(j++) + "]";
            if (!boxRow.is_object()) throw TaskFileError(at + ": not an object");
            const Reader b{boxRow, at + "."};
            FixedBox fb;
            fb.kindID = static_cast<std::int32_t>(b.integer("KindID", 0, I32Max));
            if (boxesLeft[fb.kindID]-- < 1) throw TaskFileError(at + ".KindID: no free box of the kind");
            int k = 1;
            while (p.BoxKinds.KindID[k] != fb.kindID) ++k;
            fb.posX = static_cast<std::int16_t>(b.integer("PosX", 0, I16Max));
            fb.posY = static_cast<std::int16_t>(b.integer("PosY", 0, I16Max));
            fb.posLh = static_cast<std::int16_t>(b.integer("PosLh", 1, I16Max));
            fb.posWh = static_cast<std::int16_t>(b.integer("PosWh", 1, I16Max));
            fb.loadNo = static_cast<std::int16_t>(b.integer("LoadNo", 1, count));
            const auto& bk = p.BoxKinds;
            if (!(fb.posLh == bk.Length[k] && fb.posWh == bk.Width[k]) &&
                !(fb.posLh == bk.Width[k] && fb.posWh == bk.Length[k]))
                throw TaskFileError(at + ": PosLh x PosWh is not the kind's size");
            if (fb.posX + fb.posLh > p.ContTypes.Length[t] || fb.posY + fb.posWh > p.ContTypes.Width[t])
                throw TaskFileError(at + ": outside the container");
            if (!loadNos.insert(fb.loadNo).second) throw TaskFileError(at + ".LoadNo: used twice");
            fc.boxes.push_back(fb);
        }
        out.push_back(std::move(fc));
    }
    return out;
}

} // namespace

std::vector<FixedContainer> LoadTaskJson(const std::string& text, engine::PackProblem& p) {
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::parse_error& e) {
        throw TaskFileError(std::string("not valid JSON: ") + e.what());
    }
    if (!doc.is_object()) throw TaskFileError("the task is not a JSON object");
    for (const char* list : {"containers", "boxes"})
        if (!doc.contains(list) || !doc.at(list).is_array() || doc.at(list).empty())
            throw TaskFileError(std::string(list) + ": missing or empty");

    p.ResetProblem(p.StartSolution);
    const json settings = doc.contains("settings") ? doc.at("settings") : json::object();
    if (!settings.is_object()) throw TaskFileError("settings: not an object");
    const Reader s{settings, "settings."};
    auto& r = p.Settings;
    r.Intensity = static_cast<std::int16_t>(s.integer("Intensity", 0, 20, 5));
    r.TimeLimitMs = static_cast<double>(s.integer("TimeLimitS", 5, 5555, 555)) * 1000.0;
    r.Seed = static_cast<std::int16_t>(s.integer("Seed", 1, 555, 1));
    r.WeightFactor =
        static_cast<float>(static_cast<long double>(s.integer("WeightFactor", 0, 95, 0)) * 0.01L);
    r.BindGroupFactor =
        static_cast<float>(static_cast<long double>(s.integer("BindGroupFactor", 0, 9, 0)) * 0.1L);
    r.CostFactor = static_cast<float>(static_cast<long double>(s.integer("CostFactor", 0, 100, 0)) * 0.01L);
    r.LeftFactor = static_cast<float>(static_cast<long double>(s.integer("LeftFactor", 0, 100, 0)) * 0.01L);
    r.ItemGap = static_cast<std::int16_t>(s.integer("ItemGap", 0, 5000, 0));
    r.EdgeGap = static_cast<std::int16_t>(s.integer("EdgeGap", 0, 5000, 0));
    r.IgnoreLast = s.boolean("IgnoreLast", true);
    r.TaskDefltOn = s.boolean("TaskDefltOn", true);
    r.TaskTurnOn = s.boolean("TaskTurnOn", true);

    long long containers = 0, boxes = 0;
    const json& conts = doc.at("containers");
    if (conts.size() > engine::MaxTaskContainers) throw TaskFileError("containers: more than 24 rows");
    int t = 0;
    for (const json& row : conts) {
        ++t;
        if (!row.is_object()) throw TaskFileError("containers[" + std::to_string(t - 1) + "]: not an object");
        const Reader c{row, "containers[" + std::to_string(t - 1) + "]."};
        auto& ct = p.ContTypes;
        ct.TypeID[t] = static_cast<std::int32_t>(c.integer("TypeID", 0, I32Max));
        ct.Mark[t] = c.text("Mark", 3, "?");
        ct.Length[t] = static_cast<std::int16_t>(c.integer("Length", 1, I16Max));
        ct.Width[t] = static_cast<std::int16_t>(c.integer("Width", 1, I16Max));
        ct.LoadWt[t] = static_cast<std::int32_t>(c.integer("LoadWt", 0, I32Max));
        ct.FillDir[t] = FillDirOf(c.text("FillDir", 6, "Either"));
        ct.Cost[t] = static_cast<float>(c.number("Cost", -1e9, 1e9, 0));
        ct.Avail[t] = static_cast<std::int16_t>(c.integer("Avail", 1, engine::MaxTaskContainers));
        ct.NoseDL[t] = static_cast<std::int16_t>(c.integer("NoseDL", 0, I16Max, 0));
        ct.TailDL[t] = static_cast<std::int16_t>(c.integer("TailDL", 0, I16Max, 0));
        ct.NoseWt[t] = static_cast<std::int32_t>(c.integer("NoseWt", 0, I32Max, 0));
        ct.TailWt[t] = static_cast<std::int32_t>(c.integer("TailWt", 0, I32Max, 0));
        if (ct.NoseDL[t] + ct.TailDL[t] >= ct.Length[t])
            throw TaskFileError(c.where + "NoseDL + TailDL: must be less than Length");
        ct.Area[t] = static_cast<float>(static_cast<long double>(ct.Length[t]) * ct.Width[t]);
        containers += ct.Avail[t];
        if (containers > engine::MaxTaskContainers) throw TaskFileError("containers: more than 24 in all");
    }
    p.ContTypeCount = static_cast<std::int16_t>(t);

    const json& kinds = doc.at("boxes");
    if (kinds.size() > engine::MaxTaskBoxes) throw TaskFileError("boxes: more than 1000 rows");
    int k = 0;
    for (const json& row : kinds) {
        ++k;
        if (!row.is_object()) throw TaskFileError("boxes[" + std::to_string(k - 1) + "]: not an object");
        const Reader b{row, "boxes[" + std::to_string(k - 1) + "]."};
        auto& bk = p.BoxKinds;
        bk.KindID[k] = static_cast<std::int32_t>(b.integer("KindID", 0, I32Max));
        bk.Kind[k] = b.text("Kind", 25, "??");
        bk.Mark[k] = b.text("Mark", 2, "?");
        bk.Length[k] = static_cast<std::int16_t>(b.integer("Length", 1, I16Max));
        bk.Width[k] = static_cast<std::int16_t>(b.integer("Width", 1, I16Max));
        bk.Weight[k] = static_cast<std::int32_t>(b.integer("Weight", 0, I32Max));
        bk.TurnOn[k] = b.boolean("TurnOn", true);
        bk.Cost[k] = static_cast<float>(b.number("Cost", -1e9, 1e9, 0));
        bk.Total[k] = static_cast<std::int16_t>(b.integer("Total", 1, engine::MaxTaskBoxes));
        bk.Area[k] = static_cast<float>(static_cast<long double>(bk.Length[k]) * bk.Width[k]);
        boxes += bk.Total[k];
        if (boxes > engine::MaxTaskBoxes) throw TaskFileError("boxes: more than 1000 in all");
    }
    p.BoxKindCount = static_cast<std::int16_t>(k);
    return ReadFixed(doc, p);
}

void PrepareStart(engine::PackProblem& p, const std::vector<FixedContainer>& fixed) {
    p.PrepareInstances();
    auto& start = p.StartSolution;
    for (const FixedContainer& fc : fixed) {
        int c = 1;
        while (p.ContTypes.TypeID[p.ContInstType[c]] != fc.typeID || start.FixCont[c]) ++c;
        start.FixCont[c] = true;
        for (const FixedBox& fb : fc.boxes) {
            int b = 1;
            while (p.BoxKinds.KindID[p.BoxInstKind[b]] != fb.kindID || start.ContNo[b] != 0) ++b;
            start.ContNo[b] = static_cast<std::int16_t>(c);
            start.LoadNo[b] = fb.loadNo;
            start.PosX[b] = fb.posX;
            start.PosY[b] = fb.posY;
            start.PosLh[b] = fb.posLh;
            start.PosWh[b] = fb.posWh;
        }
    }
    p.ComputeContainerLoads(p.StartSolution);
    p.CountPlacedAndUsed(p.StartSolution);
    p.EvaluateSolution(p.StartSolution, false);
}

std::string PlanJson(const engine::PackProblem& p, const engine::PackRun& run, long long fills) {
    const auto& s = p.ResultSolution;
    json out = json::object();
    out["Score"] = s.Score;
    out["AreaFill"] = s.AreaFill;
    out["WeightFill"] = s.WeightFill;
    out["UsedConts"] = s.UsedConts;
    out["LoadedBoxes"] = s.LoadedBoxes;
    out["BoxCount"] = p.BoxCount;
    out["ContCount"] = p.ContCount;
    out["LastCont"] = s.LastCont;
    out["StopRun"] = p.StopRun;
    out["ElapsedMs"] = static_cast<long long>(
        std::llround(std::stod(run.LastRunSeconds.empty() ? "0" : run.LastRunSeconds) * 1000));
    out["Fills"] = fills;
    json conts = json::array();
    for (int c = 1; c <= p.ContCount; ++c) {
        conts.push_back({{"ContNo", c},
                         {"TypeID", p.ContTypes.TypeID[p.ContInstType[c]]},
                         {"BoxLoad", s.BoxLoad[c]},
                         {"WgtLoad", s.WgtLoad[c]},
                         {"WolLoad", s.WolLoad[c]},
                         {"CostLoad", s.CostLoad[c]},
                         {"NoseLoad", s.NoseLoad[c]},
                         {"TailLoad", s.TailLoad[c]},
                         {"VolEff", s.VolEff[c]},
                         {"WgtEff", s.WgtEff[c]}});
    }
    out["containers"] = conts;
    json boxes = json::array();
    for (int b = 1; b <= p.BoxCount; ++b) {
        boxes.push_back({{"BoxNo", b},
                         {"KindID", p.BoxKinds.KindID[p.BoxInstKind[b]]},
                         {"ContNo", s.ContNo[b]},
                         {"LoadNo", s.LoadNo[b]},
                         {"PosX", s.PosX[b]},
                         {"PosY", s.PosY[b]},
                         {"PosLh", s.PosLh[b]},
                         {"PosWh", s.PosWh[b]}});
    }
    out["boxes"] = boxes;
    return out.dump();
}

} // namespace rectix::tools
